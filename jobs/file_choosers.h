// The choosers that fill the current job's names, and the batch import.
#pragma once

#include <string>

#include "app/context.h"

namespace tw {

// `name` with ".mp4" appended when it is not empty and its file name has no dot.
std::string WithDefaultExtension(const std::string& name);

void OnInputFileBrowseButton(App& app, const Event& event);
void OnOutputFileBrowseButton(App& app, const Event& event);
void OnStatsFileBrowseButton(App& app, const Event& event);
void OnLogFileBrowseButton(App& app, const Event& event);
void OnFilesInputButton(App& app, const Event& event);

}  // namespace tw
