// The window tests' fixture: one main window built with the program's
// manifest (so its lists are the version 6 controls tarnwick.exe gets), real
// keys through the system's input queue, and the user's hand on dialogs.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "platform/win32/win32_window.h"
#include "tests/gui/remote_dialogs.h"
#include "tests/gui/remote_form.h"

namespace tw {

using enum ControlId;

// A job line of any length: an x264 pass with its log pipe, repeated and cut,
// a letter above 127 in its folders.
inline std::string JobLine(size_t length) {
  const std::string piece =
      "@x264.exe --progress --no-psnr -p 1 --stats \"Z:\\clips\\caf\xE9\\stats\\clip6.mkv.stat\" -o nul "
      "\"Z:\\clips\\caf\xE9\\avs\\clip6.mkv.avs\" 2>&1|tallow.exe \"Z:\\clips\\caf\xE9\\log\\clip6.mkv.txt\" ";
  std::string line;
  while (line.size() < length) line += piece;
  line.resize(length);
  return line;
}

// `keys` pressed in order and released in reverse through the input queue.
inline void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (bool up : {false, true})
    for (size_t i = 0; i < keys.size(); ++i) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = up ? keys.begin()[keys.size() - 1 - i] : keys.begin()[i];
      in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      input.push_back(in);
    }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// From a second thread, as the user would: does `act` to the window's next
// dialog; true when that closed it (else it is shut all the same).
inline std::future<bool> UseDialog(std::function<void(HWND)> act) {
  return std::async(std::launch::async, [act] {
    HWND dialog = nullptr;
    if (!gui::WaitFor(10000, [&] { return (dialog = gui::FindDialog(GetCurrentProcessId())) != nullptr; }))
      return false;
    Sleep(300);  // file dialogs fill their lists first
    act(dialog);
    std::string unused;
    if (gui::WaitClosed(dialog, unused)) return true;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(dialog, WM_COMMAND, IDNO, 0);
    return false;
  });
}

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // As the program does first: the tab and track-bar classes, and the
    // version 6 classes the manifest asks for, come with this call.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    window_ = new Win32Window(GetModuleHandleA(nullptr), nullptr);
    window_->Show();
    FillFixedLists(*window_);
  }
  static void TearDownTestSuite() {
    if (!window_) return;
    DestroyWindow(window_->handle());
    delete window_;
    window_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(window_, nullptr);
    for (ControlId id : {JobList, EncodeModeCombo, ConfigCombo}) window_->ClearItems(id);
    SetForegroundWindow(window_->handle());
    ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == window_->handle(); }));
  }

  // The control's own window, found as a user's tool would find it.
  static HWND ControlWindow(ControlId id) {
    return gui::RemoteForm(window_->handle(), GetCurrentProcess()).Control(id);
  }

  // Runs the window's messages until `done`, for two seconds at most.
  static bool PumpUntil(const std::function<bool()>& done) {
    return gui::WaitFor(2000, [&] {
      while (std::optional<Event> e = window_->PollEvent()) events_.push_back(*e);
      return done();
    });
  }
  static void Focus(ControlId id) {
    if (Spec(id).page != Page::Window) window_->SetState(MainPanel, static_cast<int>(Spec(id).page));
    SetFocus(ControlWindow(id));
    PumpUntil([] { return true; });
  }
  static bool Focused(ControlId id) {
    HWND focus = GetFocus();
    return focus && (focus == ControlWindow(id) || IsChild(ControlWindow(id), focus));
  }
  static inline Win32Window* window_ = nullptr;
  static inline std::vector<Event> events_;
};

}  // namespace tw
