// The dialogs a running tarnwick.exe shows, found and answered as a user
// would answer them: the file name typed and confirmed, a button pressed.
#pragma once

#include <windows.h>

#include <deque>
#include <string>

#include "platform/headless/scripted.h"

namespace gui {

using Answer = tw::Answer;

// A visible top-level window of the process with this class, or null.
HWND FindTopWindow(DWORD processId, const char* className);
// A visible top-level dialog of the process, or null.
HWND FindDialog(DWORD processId);

// The headless driver's line for a dialog, reduced to its title and message.
std::string DescribeDialog(HWND dialog);
// Answers the dialog as a user would, with the next of `answers` (a message box
// takes none: its only button); false with `error` set when that failed.
bool AnswerDialog(HWND dialog, HANDLE process, std::deque<Answer>& answers, std::string& error);
// Whether the dialog closed within six seconds; `error` says which did not.
bool WaitClosed(HWND dialog, std::string& error);

}  // namespace gui
