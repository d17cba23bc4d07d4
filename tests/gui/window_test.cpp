// The real window's own tests, run with a display: one main window built with
// the program's manifest (so its lists are the version 6 controls tarnwick.exe
// gets), real keys through the system's input queue.
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
#include "jobs/job_list.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_window.h"
#include "tests/gui/remote_dialogs.h"
#include "tests/gui/remote_form.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// A job line of any length: an x264 pass with its log pipe, repeated and cut,
// a letter above 127 in its folders.
std::string JobLine(size_t length) {
  const std::string piece =
      "@x264.exe --progress --no-psnr -p 1 --stats \"Z:\\clips\\caf\xE9\\stats\\clip6.mkv.stat\" -o nul "
      "\"Z:\\clips\\caf\xE9\\avs\\clip6.mkv.avs\" 2>&1|tallow.exe \"Z:\\clips\\caf\xE9\\log\\clip6.mkv.txt\" ";
  std::string line;
  while (line.size() < length) line += piece;
  line.resize(length);
  return line;
}

// `keys` pressed in order and released in reverse through the input queue.
void Press(std::initializer_list<WORD> keys) {
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
std::future<bool> UseDialog(std::function<void(HWND)> act) {
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

// The window moved to displays of other scales: laid out anew at the
// suggested rectangle, whole, and nothing of the form changed.
// The share of its control's width a caption takes in the control's own
// font, with what the kind draws beside it at 96 DPI: a check box's box, a
// frame's line, a button's edges.
double Share(HWND h, const ControlSpec& s, int dpi) {
  if (!*s.text || s.kind == Kind::Edit || s.kind == Kind::NumericEdit) return 0;
  HDC dc = GetDC(h);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, s.text, lstrlenA(s.text), &size);
  ReleaseDC(h, dc);
  RECT r;
  GetClientRect(h, &r);
  const int beside = s.kind == Kind::CheckBox || s.kind == Kind::Frame ? 16 : s.kind == Kind::PushButton ? 6 : 0;
  return (size.cx + beside * dpi / 96.0) / r.right;
}

TEST_F(WindowTest, OtherScalesShowTheWholeFormAndChangeNothingInIt) {
  const gui::RemoteForm form(window_->handle(), GetCurrentProcess());
  window_->SetState(MainPanel, 3);
  window_->AddItem(JobList, JobLine(600));
  SetFocus(ControlWindow(RefFramesEdit));
  while (window_->PollEvent()) {
  }
  const auto dump = [&form](std::string all = "") {
    for (int i = 0; i < kControlCount; ++i) all += form.Dump(IdAt(i));
    return all;
  };
  const std::string before = dump();
  double shareAt96[kControlCount] = {};
  for (int dpi : {96, 144, 192, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY)}) {
    // as Windows suggests it for a frame that keeps its size
    RECT outer, client;
    GetWindowRect(window_->handle(), &outer);
    GetClientRect(window_->handle(), &client);
    RECT suggested{outer.left, outer.top, outer.right - client.right + 308 * dpi / 96,
                   outer.bottom - client.bottom + 359 * dpi / 96};
    SendMessageA(window_->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    for (int i = 0; i < kControlCount; ++i) {
      const ControlSpec& s = Spec(IdAt(i));
      HWND h = form.Control(IdAt(i));
      EXPECT_TRUE(gui::AtPlace(h, s, s.kind != Kind::DropDownList && s.kind != Kind::EditableCombo))
          << s.name << " at " << dpi;
      // No caption cut that fits at 96 DPI, and none cut more than there.
      const double share = Share(h, s, dpi);
      if (dpi == 96) shareAt96[i] = share;
      EXPECT_TRUE(share <= 1 || share <= shareAt96[i]) << s.name << " at " << dpi;
    }
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(GetFocus(), ControlWindow(RefFramesEdit));
    EXPECT_FALSE(window_->PollEvent());
  }
}

}  // namespace
}  // namespace tw
