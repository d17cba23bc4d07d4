// Make BAT: the job list written as a batch file of the user's choice.
#pragma once

#include <string>

#include "app/context.h"

namespace tw {

// The four head lines and every JobList line, CR LF after each. The walk
// leaves the last line selected, as a walk that selects each line would.
std::string BatchFileText(Form& form, const std::string& programFolder);
// The name chosen in the save dialog, ".bat" added when it has no extension.
std::string BatchFileName(const std::string& chosen);
void OnMakeBatButton(App& app, EventType type);

}  // namespace tw
