// The choosers that fill the current job's names, and the batch import.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// `name` with ".mp4" appended when it is not empty and its file name has no dot.
std::string WithDefaultExtension(const std::string& name);

FormAction OnInputFileBrowseButton, OnOutputFileBrowseButton, OnStatsFileBrowseButton, OnLogFileBrowseButton,
    OnFilesInputButton;

}  // namespace tw
