// Running the job list through a self-deleting script at idle priority.
#pragma once

#include <optional>
#include <string>

#include "jobs/list_file.h"

namespace tw {

inline constexpr const char* kShutdownLine = "shutdown.exe -s -f -t 30";

// The run script Start started last.
struct RunningScript {
  std::optional<ProcessId> id;
  std::string name;
};

// "temp.bat", or while our last script still runs the first "tempN.bat"
// (N from 2) that no running script of ours uses.
std::string ChooseScriptName(Platform& platform, const RunningScript& last);

void OnStartButton(Form& form, Platform& platform, RunningScript& running, ListMark& written);
FormAction OnShutButton;

}  // namespace tw
