// Plays a headless scenario against the real tarnwick.exe: starts it,
// raises each event in its window as a user would, answers its dialogs
// from the queued answers and prints what the headless driver prints.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace gui {

// Runs the scenario; returns the program's exit code, or 2 (with one line
// on `err` naming the scenario line) when a line cannot be run.
int PlayScenario(const std::string& program, const std::vector<std::string>& lines, std::ostream& out,
                 std::ostream& err);

}  // namespace gui
