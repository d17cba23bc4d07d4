// The running tarnwick.exe seen from outside, as a user sees it: controls read
// through their own messages, events raised as mouse and keyboard raise them.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/catalogue.h"

namespace gui {

class RemoteForm {
 public:
  RemoteForm(HWND main, HANDLE process);

  HWND Main() const { return main_; }
  HWND Control(tw::ControlId id) const { return controls_[tw::Index(id)]; }
  bool Complete() const;  // every control with an identifier was found

  int State(tw::ControlId id) const;
  std::string Text(tw::ControlId id) const;
  int ItemCount(tw::ControlId id) const;
  std::string ItemText(tw::ControlId id, int index) const;
  // One line as the headless `dump` prints it, items included.
  std::string Dump(tw::ControlId id) const;
  // The job list's lines, which the program keeps itself, asked of it; and
  // lines added to its end, as a benchmark fills it.
  std::vector<std::string> JobLines() const;
  void AddJobLines(const std::vector<std::string>& lines, size_t count);
  // As if the user pressed "Stop" after `steps` steps of the next long work.
  void StopAfter(int steps);

  void Type(tw::ControlId id, const std::string& text);
  void Focus(tw::ControlId id);
  void Leave(tw::ControlId id);
  void Click(tw::ControlId id);
  void Choose(tw::ControlId id, int n);

  // Posts a marker behind everything sent so far; true once the program
  // has taken it, which it does only when it waits for input again.
  void PostMarker();
  bool MarkerTaken() const;

 private:
  // The window with the program's focus, which then moves to `target` if one is given.
  HWND FocusWindow(HWND target);

  HWND main_;
  HANDLE process_;
  std::array<HWND, tw::kControlCount> controls_{};
  HWND markerBar_ = nullptr;
  int marker_ = 1;
};

std::string WindowText(HWND h);
std::string ClassOf(HWND h);
// Every window inside `parent` at any depth; with null, every top-level one.
std::vector<HWND> WindowsOf(HWND parent);
// Whether `h` lies where the catalogue places `s` on its page.
bool AtPlace(HWND h, const tw::ControlSpec& s, bool withHeight = true);
// Asks `done` every 10 ms until it holds, for `ms` at most.
bool WaitFor(int ms, const std::function<bool()>& done);

// Sends `message` with `item` (a TCITEMA or TVITEMA) placed in the memory of
// `process`, where the window writes its text; that text.
template <class Item>
std::string AskInProcess(HANDLE process, HWND h, UINT message, WPARAM wp, Item item) {
  constexpr int kText = 260;
  char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof item + kText, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return "";
  item.pszText = remote + sizeof item;
  item.cchTextMax = kText;
  char text[kText] = {};
  DWORD_PTR ok = 0;
  if (WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
      SendMessageTimeoutA(h, message, wp, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000, &ok) && ok)
    ReadProcessMemory(process, remote + sizeof item, text, kText - 1, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text;
}

}  // namespace gui
