// The choosers that fill the current job's names, and the batch import.
#pragma once

#include <string>

#include "app/context.h"

namespace tw {

// The folder part of a name, up to and including its last "\" or "/".
std::string FolderPart(const std::string& name);
// `name` with ".mp4" appended when it is not empty and its file name has no dot.
std::string WithDefaultExtension(const std::string& name);

void OnInputFileBrowseButton(App& app, EventType type);
void OnOutputFileBrowseButton(App& app, EventType type);
void OnStatsFileBrowseButton(App& app, EventType type);
void OnLogFileBrowseButton(App& app, EventType type);
void OnFilesInputButton(App& app, EventType type);

}  // namespace tw
