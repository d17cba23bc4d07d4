// The real window's controls read back exactly what the program put in
// them. Built with the program's manifest, so the lists and combo boxes are
// the version 6 controls that tarnwick.exe gets; run with a display.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/win32_window.h"
#include "run/run_script.h"

namespace tw {
namespace {

using enum ControlId;

BOOL CALLBACK FindById(HWND h, LPARAM lp) {
  auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(lp);
  if (GetDlgCtrlID(h) != wanted->first) return TRUE;
  wanted->second = h;
  return FALSE;
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

  // The control's own window, found by its identifier as a user's tool would.
  static HWND ControlWindow(ControlId id) {
    std::pair<int, HWND> wanted{1000 + Index(id), nullptr};
    EnumChildWindows(window_->handle(), FindById, reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
  }

  static Win32Window* window_;
};

Win32Window* WindowTest::window_ = nullptr;

// A job line as long as asked for: the option-laden x264 pass with its log
// pipe, repeated and cut, with a letter above 127 in the folder names.
std::string JobLine(size_t length) {
  const std::string piece =
      "@x264.exe --progress --no-psnr -p 1 --stats \"Z:\\clips\\caf\xE9\\stats\\clip6.mkv.stat\" -o nul "
      "\"Z:\\clips\\caf\xE9\\avs\\clip6.mkv.avs\" 2>&1|tallow.exe \"Z:\\clips\\caf\xE9\\log\\clip6.mkv.txt\" ";
  std::string line;
  while (line.size() < length) line += piece;
  line.resize(length);
  return line;
}

// Lengths around the 512-character buffer that an ANSI read passes through
// under Wine, the return address behind it (characters 526 and 527), and
// far beyond.
constexpr size_t kLengths[] = {1, 255, 511, 512, 513, 526, 528, 600, 1023, 1024, 1025, 4096, 30000};

TEST_F(WindowTest, ListsAreTheUnicodeControlsOfVersion6) {
  // Only these take the way through the fixed buffer, so only with them
  // does this test read long lines the way the program does.
  for (ControlId id : {JobList, EncodeModeCombo, ConfigCombo}) {
    HWND h = ControlWindow(id);
    ASSERT_NE(h, nullptr) << Spec(id).name;
    EXPECT_TRUE(IsWindowUnicode(h)) << Spec(id).name;
  }
}

TEST_F(WindowTest, JobLinesOfEveryLengthReadBackByteForByte) {
  for (size_t length : kLengths) window_->AddItem(JobList, JobLine(length));
  ASSERT_EQ(window_->ItemCount(JobList), static_cast<int>(std::size(kLengths)));
  for (int i = 0; i < static_cast<int>(std::size(kLengths)); ++i)
    EXPECT_EQ(window_->ItemText(JobList, i), JobLine(kLengths[i])) << "length " << kLengths[i];
  // Make BAT appends the lines one after another to one text.
  std::string all = "head";
  for (int i = 0; i < static_cast<int>(std::size(kLengths)); ++i) window_->AppendItemText(JobList, i, all);
  std::string want = "head";
  for (size_t length : kLengths) want += JobLine(length);
  EXPECT_EQ(all, want);
  // The selected line is read through the same way.
  window_->SetState(JobList, 7);
  EXPECT_EQ(window_->Text(JobList), JobLine(kLengths[7]));
  EXPECT_EQ(window_->ItemText(JobList, static_cast<int>(std::size(kLengths))), "");
  EXPECT_EQ(window_->ItemText(JobList, -1), "");
}

TEST_F(WindowTest, ComboItemsOfEveryLengthReadBackByteForByte) {
  for (ControlId id : {EncodeModeCombo, ConfigCombo}) {
    for (size_t length : kLengths) window_->AddItem(id, JobLine(length));
    for (int i = 0; i < static_cast<int>(std::size(kLengths)); ++i)
      EXPECT_EQ(window_->ItemText(id, i), JobLine(kLengths[i])) << Spec(id).name << " length " << kLengths[i];
  }
}

TEST_F(WindowTest, EditedJobLineKeepsItsPlaceAndText) {
  for (int i = 0; i < 3; ++i) window_->AddItem(JobList, JobLine(10));
  window_->SetState(JobList, 1);
  window_->SetItemText(JobList, 1, JobLine(2000));
  EXPECT_EQ(window_->ItemText(JobList, 1), JobLine(2000));
  EXPECT_EQ(window_->ItemText(JobList, 2), JobLine(10));
  EXPECT_EQ(window_->State(JobList), 1);
}

// Start reads every list line of the real window into the run script.
TEST_F(WindowTest, RunScriptHoldsLongJobLinesWhole) {
  const std::string lines[] = {"@echo.", JobLine(579), JobLine(607), "@echo+"};
  for (const std::string& line : lines) window_->AddItem(JobList, line);
  std::string want =
      "@cd /d \"C:\\Prog\\\"\r\n"
      "@echo Please wait until this process is set into idle.\r\n"
      "@marram.exe 1000\r\n"
      "@quillon.exe run\r\n"
      "@call quillon.bat\r\n"
      "@del quillon.bat\r\n";
  for (const std::string& line : lines) want += line + "\r\n";
  want += "del temp.bat";
  EXPECT_EQ(RunScriptText(*window_, "C:\\Prog\\", "temp.bat"), want);
}

}  // namespace
}  // namespace tw
