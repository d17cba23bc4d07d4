// How a job's lines name files so that cmd, which reads the script in the
// console's code page, finds the very files meant.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tw {

// An existing file or folder: its path, or, where the console's page cannot
// hold a character of it, its short path when the volume gives one.
std::string ExistingPath(Platform& platform, const std::string& path);

// Why a name given for a file the job will create cannot be used (the
// console's page cannot hold one of its characters), or nothing.
std::optional<std::string> CreatedNameFault(Platform& platform, const std::string& what, const std::string& name);

// Names in one message the files chosen in the dialogs that could not be
// taken (see Dialogs::TakeLeftOut); false when there were none.
bool ReportLeftOut(Platform& platform, const std::vector<std::string>& names);
// The same for the files left out since the last look.
inline bool ReportLeftOut(Platform& platform) { return ReportLeftOut(platform, platform.dialogs.TakeLeftOut()); }

}  // namespace tw
