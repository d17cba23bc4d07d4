// `gui_check play PROGRAM SCENARIO [FILE...]` starts tarnwick.exe (with the
// FILEs on its command line), raises each event of a headless scenario in its
// window as a user would, answers its dialogs and prints what the headless
// driver prints. With one running, `wait` checks
// that every control stands where the catalogue places it, that none changed
// after the window appeared, and that the page captions fit; `next` shows the
// next page, `close` presses the close box, `progress` waits for long work's
// window, `add` presses "Add", `dump` prints the page, the input and output names
// and the job list.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/headless/scenario_line.h"
#include "platform/win32/win32_pages.h"
#include "tests/gui/remote_dialogs.h"
#include "tests/gui/remote_form.h"
#include "ui/catalogue.h"

namespace gui {
namespace {

using LineError = tw::ScenarioError;
using tw::Verb;

constexpr DWORD kPatience = 30000;  // ms the program may take for one line

class Player {
 public:
  Player(const std::vector<std::string>& lines, std::ostream& out) : lines_(tw::Unroll(lines)), out_(out) {}
  ~Player() {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 3);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
  }

  int Run(const std::string& program, const std::string& arguments) {
    // Answers before every other line are there for start-up's dialogs.
    for (Answer& answer : tw::LeadingAnswers(lines_, line_)) answers_.push_back(std::move(answer));
    Start(program, arguments);
    for (; line_ < lines_.size(); ++line_)
      if (!RunLine(lines_[line_])) return Ended();
    EndSession();
    return Ended();
  }

  // The number of the line of the file at fault, from 1.
  int LineNumber() const { return lines_.empty() ? 1 : lines_[std::min(line_, lines_.size() - 1)].number; }
  // The longest the window took to answer during long work, in ms.
  DWORD Slowest() const { return slowest_; }

 private:
  void Start(const std::string& program, const std::string& arguments) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string command = "\"" + program + "\"" + arguments;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
      throw LineError("cannot start " + program);
    const DWORD started = GetTickCount();
    HWND main = nullptr;
    while (!main) {
      if (HWND d = FindDialog(process_.dwProcessId))
        HandleDialog(d);
      else if (!(main = FindTopWindow(process_.dwProcessId, "TarnwickMain")))
        Wait(started, "the window did not show");
    }
    form_ = std::make_unique<RemoteForm>(main, process_.hProcess);
    if (!form_->Complete()) throw LineError("the window lacks controls of the catalogue");
    Settle();
  }

  void Wait(DWORD since, const char* what, bool mayEnd = false) {
    if (WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0 && !mayEnd)
      throw LineError("the program ended early");
    if (GetTickCount() - since > kPatience) throw LineError(what);
  }

  // Waits until the program has run every event the last line raised and
  // waits for input again, answering each dialog it shows meanwhile. With
  // `mayEnd` the program may end instead; true when it did. Long work keeps
  // the window switched off while it answers: the line waits for its end,
  // and no answer may take longer than TW_ANSWER_LIMIT_MS where that is set.
  // The first answer after a dialog is not timed: Wine takes two seconds to
  // close a window on a display without a window manager.
  bool Settle(bool mayEnd = false) {
    DWORD since = GetTickCount();
    for (bool inWork = false;;) {
      form_->PostMarker();
      const DWORD posted = GetTickCount();
      for (;;) {
        if (mayEnd && WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return true;
        if (HWND d = FindDialog(process_.dwProcessId)) {
          HandleDialog(d);
          inWork = false;
          break;
        }
        if (form_->MarkerTaken()) {
          if (IsWindowEnabled(form_->Main())) return false;
          since = GetTickCount();
          if (std::exchange(inWork, true)) NoteAnswer(since - posted);
          break;
        }
        Wait(since, "the program did not settle", mayEnd);
      }
    }
  }

  void NoteAnswer(DWORD ms) {
    static const char* limit = std::getenv("TW_ANSWER_LIMIT_MS");
    slowest_ = std::max(slowest_, ms);
    if (limit && ms > static_cast<DWORD>(std::atoi(limit)))
      throw LineError("the window did not answer for " + std::to_string(ms) + " ms during long work");
  }

  void HandleDialog(HWND dialog) {
    out_ << DescribeDialog(dialog) << "\n";
    // Owned by the main window, shown or not yet, so it stays in front of it.
    if (ClassOf(GetWindow(dialog, GW_OWNER)) != "TarnwickMain")
      throw LineError("the dialog is not owned by the main window");
    std::string error;
    if (!AnswerDialog(dialog, process_.hProcess, answers_, error)) throw LineError(error);
  }

  // False once the program has ended.
  bool RunLine(const tw::ScriptLine& text) {
    const std::optional<tw::ScenarioLine> line = tw::ParseScenarioLine(text);
    if (!line) return true;
    const tw::ControlId id = line->control;
    switch (line->verb) {
      case Verb::Close:  // the program ends, or asks first and may be told to go on
        PostMessageA(form_->Main(), WM_CLOSE, 0, 0);
        return !Settle(true);
      case Verb::Print:
        out_ << line->text << "\n";
        return true;
      case Verb::Answer:
        answers_.push_back(line->answer);
        return true;
      case Verb::Stop:
        form_->StopAfter(line->number);
        return true;
      case Verb::Drop:
        Drop(line->text);
        return !Settle();
      case Verb::Media:  // the real window opens media itself; the stand-in has no say there
      case Verb::X264:   // and it asks the real x264.exe
        return true;
      case Verb::DumpForm:
        for (int i = 0; i < tw::kControlCount; ++i) out_ << form_->Dump(tw::IdAt(i));
        return true;
      case Verb::Dump:
        out_ << form_->Dump(id);
        return true;
      default:
        break;
    }
    // A user cannot reach a control that is switched off.
    if (!IsWindowEnabled(form_->Control(id))) throw LineError(std::string(tw::Spec(id).name) + " is disabled");
    if (line->verb == Verb::Type) form_->Type(id, line->text);
    if (line->verb == Verb::Focus) form_->Focus(id);
    if (line->verb == Verb::Leave) form_->Leave(id);
    if (line->verb == Verb::Click) form_->Click(id);
    if (line->verb == Verb::Choose) {
      tw::CheckChoice(*line, form_->ItemCount(id));
      form_->Choose(id, line->number);
    }
    // Cancel ends the program as the close box does.
    return !Settle(line->verb == Verb::Click && id == tw::ControlId::CancelButton);
  }

  // As Explorer drops files: a DROPFILES block with their names in UTF-16,
  // here made in the program's memory, posted to its window.
  void Drop(const std::string& names) {
    std::wstring list;
    for (const std::string& name : tw::BarSeparated(names)) list += tw::Widened(name, CP_ACP) + L'\0';
    list += L'\0';
    const DROPFILES head{sizeof head, {0, 0}, FALSE, TRUE};
    const size_t size = sizeof head + list.size() * sizeof(wchar_t);
    char* remote = static_cast<char*>(VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (!remote || !WriteProcessMemory(process_.hProcess, remote, &head, sizeof head, nullptr) ||
        !WriteProcessMemory(process_.hProcess, remote + sizeof head, list.data(), size - sizeof head, nullptr) ||
        !PostMessageW(form_->Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0))
      throw LineError("cannot drop " + names);
  }

  // The end of the file ends the program as the end of a Windows session does.
  void EndSession() {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(form_->Main(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kPatience, &ignored);
    SendMessageTimeoutA(form_->Main(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, kPatience, &ignored);
  }

  // The exit sequence with whatever dialogs it shows, then the exit code.
  int Ended() {
    const DWORD since = GetTickCount();
    while (WaitForSingleObject(process_.hProcess, 10) == WAIT_TIMEOUT) {
      if (HWND d = FindDialog(process_.dwProcessId)) HandleDialog(d);
      if (GetTickCount() - since > kPatience) throw LineError("the program did not end");
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    if (!answers_.empty()) throw LineError("answers left over at the end");
    return static_cast<int>(code);
  }

  const std::vector<tw::ScriptLine> lines_;
  std::ostream& out_;
  size_t line_ = 0;
  std::deque<Answer> answers_;
  PROCESS_INFORMATION process_{};
  std::unique_ptr<RemoteForm> form_;
  DWORD slowest_ = 0;
};

// Runs the scenario; the program's exit code, or 2 (with one line on `err`
// naming the scenario line) when a line cannot be run.
int PlayScenario(const std::string& program, const std::string& arguments, const std::vector<std::string>& lines,
                 std::ostream& out, std::ostream& err) {
  Player player(lines, out);
  try {
    const int rc = player.Run(program, arguments);
    if (const char* log = std::getenv("TW_ANSWER_LOG")) std::ofstream(log, std::ios::app) << player.Slowest() << "\n";
    return rc;
  } catch (const LineError& e) {
    out.flush();
    err << "line " << player.LineNumber() << ": " << e.what() << "\n";
    return 2;
  }
}

// The shown and switched-off flags of every control, read from the window
// styles, which the program need not answer: a program still busy setting up
// its form is caught in the act.
std::map<int, LONG> Flags(const RemoteForm& form) {
  std::map<int, LONG> flags;
  for (int i = 0; i < tw::kControlCount; ++i)
    if (HWND h = form.Control(tw::IdAt(i)); h && !tw::Spec(tw::IdAt(i)).noIdentity)
      flags[i] = GetWindowLongA(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
  return flags;
}

int Check(HWND main, const RemoteForm& form, const std::map<int, LONG>& atFirstSight) {
  // The client area is 308 x 359 at 96 DPI and grows with the display's scale.
  RECT c;
  GetClientRect(main, &c);
  const double scale = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY) / 96.0;
  std::printf("client area %ldx%ld at %.0f%%\n", c.right, c.bottom, scale * 100);
  int failures = std::abs(c.right / 308.0 / scale - 1) > 0.03 || std::abs(c.bottom / 359.0 / scale - 1) > 0.03;
  for (int i = 0; i < tw::kControlCount; ++i) {
    const tw::ControlSpec& s = tw::Spec(tw::IdAt(i));
    HWND h = form.Control(tw::IdAt(i));
    // A combo box's height is that of its open list.
    if (!s.noIdentity &&
        (!h || !AtPlace(h, s, s.kind != tw::Kind::DropDownList && s.kind != tw::Kind::EditableCombo))) {
      std::printf("%s is missing or not at %d,%d %dx%d\n", s.name, s.x, s.y, s.w, s.h);
      ++failures;
    }
  }
  for (auto [id, flags] : Flags(form))
    if (atFirstSight.at(id) != flags) {
      std::printf("%s changed after the window appeared\n", tw::Spec(tw::IdAt(id)).name);
      ++failures;
    }
  // All five captions fit: the tab strip shows no scroll arrows.
  HWND arrows = FindWindowExA(form.Control(tw::ControlId::MainPanel), nullptr, UPDOWN_CLASSA, nullptr);
  if (arrows && IsWindowVisible(arrows)) {
    std::printf("the tab strip scrolls\n");
    ++failures;
  }
  std::printf("checked %d controls, %d failures\n", tw::kControlCount, failures);
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace gui

int main(int argc, char** argv) {
  SetProcessDPIAware();  // the window's own pixels, not a picture of them at 96 DPI
  const std::string verb = argc > 1 ? argv[1] : "";
  if (argc >= 4 && verb == "play") {
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
      std::cerr << "cannot read scenario " << argv[3] << "\n";
      return 2;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    std::string arguments;
    for (int i = 4; i < argc; ++i) arguments += std::string(" \"") + argv[i] + "\"";
    return gui::PlayScenario(argv[2], arguments, tw::ScenarioLines(text), std::cout, std::cerr);
  }
  if (argc != 2) {
    std::printf("usage: gui_check wait|next|close|progress|add|dump | gui_check play PROGRAM SCENARIO [FILE...]\n");
    return 2;
  }
  HWND main = nullptr;
  if (!gui::WaitFor(20000, [&] { return (main = FindWindowA("TarnwickMain", "tarnwick")) && IsWindowVisible(main); })) {
    std::printf("no tarnwick window\n");
    return 1;
  }
  gui::RemoteForm form(main, nullptr);
  if (verb == "wait") return gui::Check(main, form, gui::Flags(form));
  if (verb == "progress")  // long work shows how far it is, for a screenshot
    return gui::WaitFor(120000,
                        [] {
                          HWND box = FindWindowA("TarnwickProgress", nullptr);
                          return box && IsWindowVisible(box);
                        })
               ? 0
               : 1;
  if (verb == "dump") {
    std::printf("page %d\n%s\n%s\n", form.State(tw::ControlId::MainPanel),
                form.Text(tw::ControlId::InputFileEdit).c_str(), form.Text(tw::ControlId::OutputFileEdit).c_str());
    for (const std::string& line : form.JobLines()) std::printf("%s\n", line.c_str());
  }
  if (verb == "add") form.Click(tw::ControlId::AddButton);
  if (verb == "next") form.Choose(tw::ControlId::MainPanel, form.State(tw::ControlId::MainPanel) + 1);
  if (verb == "close") PostMessageA(main, WM_CLOSE, 0, 0);
  return verb == "dump" || verb == "add" || verb == "next" || verb == "close" ? 0 : 2;
}
