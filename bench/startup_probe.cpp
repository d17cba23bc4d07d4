// startup_probe PROGRAM CLASS
// Starts PROGRAM in its own folder and prints the seconds from the start of
// the process to the moment a top-level window of the class CLASS of that
// process is visible; the program shows its window only when the form is
// ready, so that is the ready form. Then closes the window and waits for the program to
// end; the time of that is not counted (destroying a window under Wine is
// slow and says nothing about start-up).
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/gui/remote_dialogs.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: startup_probe PROGRAM CLASS\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
  LARGE_INTEGER frequency, started, shown;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + program + "\"";
  QueryPerformanceCounter(&started);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    return 1;
  }
  HWND window = nullptr;
  for (int waited = 0; !window; ++waited) {
    window = gui::FindTopWindow(pi.dwProcessId, argv[2]);
    if (window) break;
    // about a minute, at a millisecond or more a turn
    if (waited > 60000 || WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "the program showed no window\n");
      TerminateProcess(pi.hProcess, 3);
      return 1;
    }
  }
  QueryPerformanceCounter(&shown);
  std::printf("%.6f\n", static_cast<double>(shown.QuadPart - started.QuadPart) / frequency.QuadPart);
  std::fflush(stdout);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 3);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return 0;
}
