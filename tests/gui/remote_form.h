// The running tarnwick.exe seen from outside, as a user sees it: controls
// read through their own messages, events raised the way the user's mouse
// and keyboard raise them.
#pragma once

#include <windows.h>

#include <array>
#include <string>

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
  void FocusWindow(HWND target);
  std::string RemoteText(HWND h, UINT message, WPARAM wp, size_t size) const;

  HWND main_;
  HANDLE process_;
  std::array<HWND, tw::kControlCount> controls_{};
  HWND markerBar_ = nullptr;
  int marker_ = 1;
};

std::string WindowText(HWND h);

}  // namespace gui
