// The choosers that fill the current job's names, and the batch import.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

// `name` with ".mp4" appended when it is not empty and its file name has no dot.
std::string WithDefaultExtension(const std::string& name);

// The batch import of `names` given from outside (a drop, the command line),
// asking for the output folder as "Files input" does.
void TakeFilesInput(Form& form, Platform& platform, const std::vector<std::string>& names);

FormAction OnInputFileBrowseButton, OnOutputFileBrowseButton, OnStatsFileBrowseButton, OnLogFileBrowseButton,
    OnFilesInputButton;

}  // namespace tw
