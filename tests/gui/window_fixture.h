// One real main window for a suite of tests, built with the program's
// manifest so the lists and combo boxes are the version 6 controls that
// tarnwick.exe gets; run with a display.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "platform/win32/win32_window.h"
#include "tests/gui/remote_form.h"

namespace tw {

using enum ControlId;

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
  }

  // The control's own window, found as a user's tool would find it.
  static HWND ControlWindow(ControlId id) {
    return gui::RemoteForm(window_->handle(), GetCurrentProcess()).Control(id);
  }

  static inline Win32Window* window_ = nullptr;
};

// A job line as long as asked for: the option-laden x264 pass with its log
// pipe, repeated and cut, with a letter above 127 in the folder names.
inline std::string JobLine(size_t length) {
  const std::string piece =
      "@x264.exe --progress --no-psnr -p 1 --stats \"Z:\\clips\\caf\xE9\\stats\\clip6.mkv.stat\" -o nul "
      "\"Z:\\clips\\caf\xE9\\avs\\clip6.mkv.avs\" 2>&1|tallow.exe \"Z:\\clips\\caf\xE9\\log\\clip6.mkv.txt\" ";
  std::string line;
  while (line.size() < length) line += piece;
  line.resize(length);
  return line;
}

}  // namespace tw
