// Long work in the window. The main window takes no input meanwhile; its
// messages are answered between steps and while the work waits on a
// program, and once the work has run half a second a small window says
// how far it is, with a button "Stop" where the work can stop.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/progress.h"
#include "platform/win32/win32_processes.h"

namespace tw {

class Win32Window;

class Win32Progress : public Progress, public Waiter {
 public:
  void Attach(Win32Window* window) { window_ = window; }
  void Begin(const std::string& what, int total, bool stoppable) override;
  bool Step(int done, const std::string& item) override;
  void End() override;
  bool Busy() const override { return depth_ > 0; }
  uint32_t WaitAny(uint32_t count, void* const* handles, uint32_t ms) override;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  // Answers the window's messages; shows how far the work is once that is due.
  void Answer();
  void MakeBox();

  Win32Window* window_ = nullptr;
  int depth_ = 0;
  std::string what_, item_;
  int total_ = 0, done_ = 0;
  bool stoppable_ = false, stopAsked_ = false;
  std::optional<int> stopAfter_;
  ULONGLONG began_ = 0, answered_ = 0;
  HWND box_ = nullptr, count_ = nullptr, file_ = nullptr, bar_ = nullptr, stop_ = nullptr;
};

}  // namespace tw
