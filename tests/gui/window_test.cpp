// The real window's own tests, run with a display: reading the lists, keys,
// focus, the dialogs, typing, the job list's scroll bar and long work.
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "jobs/job_list.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_progress.h"
#include "tests/gui/window_fixture.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

// Lengths around the 512-character buffer that an ANSI read passes through
// under Wine, the return address behind it (characters 526 and 527), and
// far beyond; Start and Make BAT read the job list this way.
constexpr size_t kLengths[] = {1, 255, 511, 512, 513, 526, 528, 579, 600, 607, 1023, 1024, 1025, 4096, 30000};

TEST_F(WindowTest, ListItemsOfEveryLengthReadBackByteForByte) {
  for (ControlId id : {JobList, EncodeModeCombo, ConfigCombo}) {
    // Only the Unicode lists of version 6 take the way through the fixed
    // buffer, so only with them does this test read the way the program does.
    EXPECT_TRUE(IsWindowUnicode(ControlWindow(id))) << Spec(id).name;
    for (size_t length : kLengths) window_->AddItem(id, JobLine(length));
    ASSERT_EQ(window_->ItemCount(id), static_cast<int>(std::size(kLengths))) << Spec(id).name;
    for (int i = 0; i < static_cast<int>(std::size(kLengths)); ++i)
      EXPECT_EQ(window_->ItemText(id, i), JobLine(kLengths[i])) << Spec(id).name << " length " << kLengths[i];
  }
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

TEST_F(WindowTest, PageKeysTurnPagesFromAnyControlAndChangeNoChoice) {
  const struct {
    ControlId from;
    std::initializer_list<WORD> keys;
    int step, presses, page;
    ControlId focused;  // the first control of that page
  } cases[] = {
      {RateValueEdit, {VK_CONTROL, VK_NEXT}, 1, 4, 4, JobList},
      {SubmeCombo, {VK_CONTROL, VK_NEXT}, 1, 1, 4, JobList},
      {JobList, {VK_CONTROL, VK_NEXT}, 1, 2, 1, KeyframeBoostEdit},
      {SubmeCombo, {VK_CONTROL, VK_PRIOR}, -1, 1, 2, Transform8x8Check},
      {AddButton, {VK_CONTROL, VK_TAB}, 1, 2, 2, Transform8x8Check},
      {Transform8x8Check, {VK_CONTROL, VK_SHIFT, VK_TAB}, -1, 1, 1, KeyframeBoostEdit},
  };
  for (const auto& c : cases) {
    window_->SetState(MainPanel, 0);
    Focus(c.from);
    std::vector<int> before;
    for (int i = 0; i < kControlCount; ++i) before.push_back(window_->State(IdAt(i)));
    events_.clear();
    const int start = window_->State(MainPanel);  // the page of `from`
    for (int k = 1; k <= c.presses; ++k) {
      Press(c.keys);
      const int want = (start + c.step * k + 5) % 5;
      ASSERT_TRUE(PumpUntil([&] { return window_->State(MainPanel) == want; })) << Spec(c.from).name << " press " << k;
    }
    EXPECT_EQ(window_->State(MainPanel), c.page) << Spec(c.from).name;
    EXPECT_TRUE(Focused(c.focused)) << Spec(c.from).name;
    int raised = 0;
    for (const Event& e : events_) raised += e.control == MainPanel;
    EXPECT_EQ(raised, c.presses) << Spec(c.from).name;
    for (int i = 0; i < kControlCount; ++i)
      if (IdAt(i) != MainPanel) {
        EXPECT_EQ(window_->State(IdAt(i)), before[i]) << Spec(IdAt(i)).name;
      }
  }
}

// After each dialog, and after the window lost and won back the activation,
// the control that had the focus has it again.
TEST_F(WindowTest, FocusComesBackAfterDialogsAndActivation) {
  Win32Dialogs dialogs(window_->handle());
  const struct {
    ControlId control;
    std::function<void()> open;  // a dialog, which the user closes with Esc
  } cases[] = {
      {InputFileBrowseButton, [&] { dialogs.Open({}); }},
      {FilesInputButton, [&] { dialogs.Folder("Select a folder for output", ""); }},
      {ViewButton, [&] { dialogs.Message("The command line parameter is:", "@echo."); }},
      {EditButton, [&] { dialogs.Input("Edit", "For expert only!", "@echo."); }},
      {BitrateVarianceEdit,  // no dialog: the window is minimised and restored
       [] {
         ShowWindow(window_->handle(), SW_MINIMIZE);
         PumpUntil([] { return IsIconic(window_->handle()) != 0; });
         ShowWindow(window_->handle(), SW_RESTORE);
       }},
  };
  for (const auto& c : cases) {
    Focus(c.control);
    ASSERT_TRUE(Focused(c.control)) << Spec(c.control).name;
    std::future<bool> user;
    if (c.control != BitrateVarianceEdit) user = UseDialog([](HWND) { Press({VK_ESCAPE}); });
    c.open();
    if (user.valid()) {
      EXPECT_TRUE(user.get()) << Spec(c.control).name << ": Esc did not close the dialog";
    }
    EXPECT_TRUE(PumpUntil([&] { return Focused(c.control); })) << Spec(c.control).name;
  }
}

TEST_F(WindowTest, EditDialogHasOneDefaultOkButtonAndEscKeepsTheLine) {
  Win32Dialogs dialogs(window_->handle());
  const struct {
    const char* what;
    std::function<void(HWND)> user;
    std::optional<std::string> result;  // nothing: the line stays
  } cases[] = {
      {"Enter", [](HWND) { Press({VK_END}), Press({'X'}), Press({VK_RETURN}); }, "@echo.x"},
      {"Esc", [](HWND) { Press({VK_ESCAPE}); }, std::nullopt},
      {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, std::nullopt},
  };
  char caption[16] = {};
  LRESULT defaultId = 0;
  for (const auto& c : cases) {
    std::future<bool> user = UseDialog([&](HWND d) {
      GetWindowTextA(GetDlgItem(d, IDOK), caption, sizeof caption);
      defaultId = LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0));
      c.user(d);
    });
    EXPECT_EQ(dialogs.Input("Edit", "For expert only!", "@echo."), c.result) << c.what;
    EXPECT_TRUE(user.get()) << c.what;
  }
  EXPECT_STREQ(caption, "OK");
  EXPECT_EQ(defaultId, IDOK);
}

// A field the program rewrites while the user types in it: the next key
// goes at the end of the new text.
TEST_F(WindowTest, TypingGoesOnAtTheEndOfATextTheProgramSet) {
  const struct {
    ControlId field;
    const char* set;
    WORD key;
    const char* after;
  } cases[] = {{BitrateVarianceEdit, "10", '0', "100"}, {CqmCombo, "flat", 'X', "flatx"}};
  for (const auto& c : cases) {
    Focus(c.field);
    window_->SetText(c.field, c.set);
    window_->DropPendingEvents();
    Press({c.key});
    EXPECT_TRUE(PumpUntil([&] { return window_->Text(c.field) == c.after; }))
        << Spec(c.field).name << " reads " << window_->Text(c.field);
  }
}

// A name typed with a letter the ANSI page lacks (a Greek kappa) keeps it in
// the field, where the ANSI text has "?", and Add refuses it.
TEST_F(WindowTest, AddRefusesANameTypedWithALetterTheAnsiPageLacks) {
  Focus(InputFileEdit);
  window_->SetText(InputFileEdit, "D:\\");
  window_->DropPendingEvents();
  EXPECT_EQ(window_->TextBeyondPage(InputFileEdit), std::nullopt);
  INPUT key[2] = {};
  for (INPUT& k : key) k.type = INPUT_KEYBOARD, k.ki.wScan = 0x03BA, k.ki.dwFlags = KEYEVENTF_UNICODE;
  key[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, key, sizeof(INPUT));
  EXPECT_TRUE(PumpUntil([] { return window_->TextBeyondPage(InputFileEdit) == "D:\\\xCE\xBA"; }));
  EXPECT_EQ(window_->Text(InputFileEdit), "D:\\?");
  TestApp t;
  OnAddButton(*window_, t.platform);
  EXPECT_EQ(window_->ItemCount(JobList), 0);
  EXPECT_NE(t.log.str().find("This file was not taken:\r\nD:\\\xCE\xBA\r\n"), std::string::npos) << t.log.str();
}

TEST_F(WindowTest, JobListScrollsSidewaysAsFarAsItsLongestLine) {
  enum Op { None, Remove, Replace, Clear };
  const struct {
    const char* what;
    std::vector<size_t> lines;  // lengths of the lines added first
    Op op;
    int at;
    size_t length;
    size_t longest;  // 0: no line
  } cases[] = {
      {"longer lines widen it", {10, 300, 900}, None, 0, 0, 900},
      {"a shorter line leaves it", {900, 300, 10}, None, 0, 0, 900},
      {"the longest removed", {900, 300}, Remove, 0, 0, 300},
      {"another line removed", {900, 300}, Remove, 1, 0, 900},
      {"the longest edited shorter", {900, 300}, Replace, 0, 10, 300},
      {"a line edited longer", {10, 300}, Replace, 0, 900, 900},
      {"cleared", {900}, Clear, 0, 0, 0},
  };
  HWND list = ControlWindow(JobList);
  const auto extent = [list] {
    PumpUntil([] { return true; });
    return SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
  };
  for (const auto& c : cases) {
    window_->ClearItems(JobList);
    for (size_t length : c.lines) window_->AddItem(JobList, JobLine(length));
    if (c.op == Remove) window_->RemoveItem(JobList, c.at);
    if (c.op == Replace) window_->SetItemText(JobList, c.at, JobLine(c.length));
    if (c.op == Clear) window_->ClearItems(JobList);
    const LRESULT got = extent();
    window_->ClearItems(JobList);
    if (c.longest > 0) window_->AddItem(JobList, JobLine(c.longest));
    EXPECT_EQ(got, extent()) << c.what;
  }
  // The longest line is not cut: the scroll bar reaches its end.
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  SIZE size{};
  const std::string line = JobLine(900);
  GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  window_->AddItem(JobList, line);
  EXPECT_GE(extent(), size.cx);
}

// A letter typed in the job list selects the next line that begins with it,
// in either case, as a list box of strings does.
TEST_F(WindowTest, ALetterTypedInTheJobListFindsTheNextLineBeginningWithIt) {
  for (const char* line : {"@echo.", "x264 a", "@rem b", "X264 c", "mux"}) window_->AddItem(JobList, line);
  Focus(JobList);
  window_->SetState(JobList, 0);
  for (auto [key, line] : {std::pair{'X', 1}, {'X', 3}, {'M', 4}, {'X', 1}}) {
    Press({static_cast<WORD>(key)});
    EXPECT_TRUE(PumpUntil([line] { return window_->State(JobList) == line; })) << key << " to line " << line;
  }
}

// Long work takes the form's input; half a second on, a window says how far
// it is, and "Stop" ends the work after the step at hand. The focus then
// comes back where it was.
TEST_F(WindowTest, LongWorkShowsHowFarItIsAndStopsAtStop) {
  Win32Progress progress;
  progress.Attach(window_);
  Focus(RateValueEdit);
  progress.Begin("Adding file", 3, true);
  EXPECT_FALSE(IsWindowEnabled(window_->handle()));
  EXPECT_TRUE(progress.Step(0, "D:\\in\\a.avi"));
  EXPECT_EQ(FindWindowA("TarnwickProgress", nullptr), nullptr) << "shown for short work";
  Sleep(600);
  EXPECT_TRUE(progress.Step(1, "D:\\in\\b.avi"));
  HWND box = FindWindowA("TarnwickProgress", nullptr);
  ASSERT_TRUE(box && IsWindowVisible(box));
  std::vector<std::string> texts;
  for (HWND h : gui::WindowsOf(box)) texts.push_back(gui::WindowText(h));
  EXPECT_EQ(texts, (std::vector<std::string>{"Adding file 2 of 3", "D:\\in\\b.avi", "", "Stop"}));
  SendMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_FALSE(progress.Step(2, "D:\\in\\c.avi"));
  progress.End();
  EXPECT_TRUE(IsWindowEnabled(window_->handle()));
  EXPECT_FALSE(IsWindow(box));
  EXPECT_TRUE(PumpUntil([] { return Focused(RateValueEdit); }));
}

}  // namespace
}  // namespace tw
