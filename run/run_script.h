// Running the job list through a self-deleting script at idle priority.
#pragma once

#include <string>

#include "app/context.h"

namespace tw {

inline constexpr const char* kShutdownLine = "shutdown.exe -s -f -t 30";

// "temp.bat", or while our last script still runs the first "tempN.bat"
// (N from 2) that no running script of ours uses.
std::string ChooseScriptName(App& app);

void OnStartButton(App& app, const Event& event);
void OnShutButton(App& app, const Event& event);

}  // namespace tw
