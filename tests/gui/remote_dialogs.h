// The dialogs a running tarnwick.exe shows, found and answered as a user
// would answer them: the file name typed and confirmed, a button pressed.
#pragma once

#include <windows.h>

#include <string>

#include "platform/headless/scripted.h"

namespace gui {

enum class DialogKind { File, Folder, YesNo, Input, Message };

using Answer = tw::Answer;

// A visible top-level window of the process with this class, or null.
HWND FindTopWindow(DWORD processId, const char* className);
// A visible top-level dialog of the process, or null.
HWND FindDialog(DWORD processId);

DialogKind KindOf(HWND dialog);
// The line the headless driver prints for a dialog, reduced to what the
// real dialog shows: its title and its message.
std::string DescribeDialog(HWND dialog);
// Whether the answer is of a kind the dialog can take.
bool Fits(DialogKind kind, const Answer& answer);
// Gives the answer; false with `error` set when the dialog did not close.
bool AnswerDialog(HWND dialog, HANDLE process, const Answer& answer, std::string& error);
// Whether the dialog closed within six seconds; `error` says which did not.
bool WaitClosed(HWND dialog, std::string& error);
// Presses the only button of a message box.
bool Acknowledge(HWND dialog, std::string& error);

}  // namespace gui
