// The job list written to a file: Make BAT's batch file of the user's
// choice, and the run script Start writes.
#pragma once

#include <string>

#include "app/context.h"

namespace tw {

// Writes `head`, every JobList line with CR LF after each, then `tail`, in
// the console's code page (cmd reads a script in it), through a temporary
// file, so a failed write leaves no half file. The text goes in pieces of
// about 64 KiB that end at a line end, so a long list is never held a
// second time in memory. Once any piece was taken the last line is left
// selected, as a walk that selected each line in turn would; a file that
// cannot be created takes none and the selection stays.
bool WriteJobList(Form& form, Platform& platform, const std::string& path, const std::string& head,
                  const std::string& tail = "");

// The name chosen in the save dialog, ".bat" added when it has no extension.
std::string BatchFileName(const std::string& chosen);
void OnMakeBatButton(App& app, const Event& event);

}  // namespace tw
