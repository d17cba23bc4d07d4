#include "tests/gui/scenario_player.h"

#include <windows.h>

#include <charconv>
#include <deque>
#include <memory>
#include <stdexcept>

#include "platform/headless/scenario.h"
#include "tests/gui/remote_dialogs.h"
#include "tests/gui/remote_form.h"
#include "ui/catalogue.h"

namespace gui {
namespace {

struct LineError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using tw::SkippedLine;
using tw::SplitWord;

constexpr DWORD kPatience = 30000;  // ms the program may take for one line

class Player {
 public:
  Player(const std::vector<std::string>& lines, std::ostream& out) : lines_(lines), out_(out) {}
  ~Player() {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 3);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
  }

  int Run(const std::string& program) {
    // Answers before every other line are there for start-up's dialogs.
    for (; line_ < lines_.size(); ++line_) {
      if (SkippedLine(lines_[line_])) continue;
      auto [verb, rest] = SplitWord(lines_[line_]);
      if (verb != "answer") break;
      Queue(rest);
    }
    Start(program);
    for (; line_ < lines_.size(); ++line_)
      if (!RunLine(lines_[line_])) break;
    return Close();
  }

  size_t LineNumber() const { return line_ + 1; }

 private:
  void Start(const std::string& program) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string command = "\"" + program + "\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
      throw LineError("cannot start " + program);
    const DWORD started = GetTickCount();
    HWND main = nullptr;
    while (!main) {
      if (HWND d = FindDialog(process_.dwProcessId)) {
        HandleDialog(d);
        continue;
      }
      main = FindTopWindow(process_.dwProcessId, "TarnwickMain");
      if (!main) Wait(started, "the window did not show");
    }
    form_ = std::make_unique<RemoteForm>(main, process_.hProcess);
    if (!form_->Complete()) throw LineError("the window lacks controls of the catalogue");
    Settle();
  }

  void Wait(DWORD since, const char* what) {
    if (WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0) throw LineError("the program ended early");
    if (GetTickCount() - since > kPatience) throw LineError(what);
  }

  // Waits until the program has run every event the last line raised and
  // waits for input again, answering each dialog it shows meanwhile.
  void Settle() {
    const DWORD since = GetTickCount();
    for (;;) {
      form_->PostMarker();
      for (;;) {
        if (HWND d = FindDialog(process_.dwProcessId)) {
          HandleDialog(d);
          break;
        }
        if (form_->MarkerTaken() && IsWindowEnabled(form_->Main())) return;
        Wait(since, "the program did not settle");
      }
    }
  }

  void HandleDialog(HWND dialog) {
    out_ << DescribeDialog(dialog) << "\n";
    // Owned by the main window, shown or not yet, so it stays in front of it.
    char owner[32] = {};
    GetClassNameA(GetWindow(dialog, GW_OWNER), owner, sizeof owner);
    if (std::string(owner) != "TarnwickMain") throw LineError("the dialog is not owned by the main window");
    const DialogKind kind = KindOf(dialog);
    std::string error;
    if (kind == DialogKind::Message) {
      if (!Acknowledge(dialog, error)) throw LineError(error);
      return;
    }
    if (answers_.empty()) throw LineError("no answer queued for the dialog \"" + DescribeDialog(dialog) + "\"");
    Answer a = answers_.front();
    answers_.pop_front();
    if (!Fits(kind, a)) throw LineError("answer " + a.kind + " does not fit the dialog");
    if (!AnswerDialog(dialog, process_.hProcess, a, error)) throw LineError(error);
  }

  void Queue(const std::string& rest) {
    auto [kind, text] = SplitWord(rest);
    for (const char* k : {"open", "save", "folder", "files", "yes", "no", "input", "cancel"})
      if (kind == k) {
        answers_.push_back({kind, text});
        return;
      }
    throw LineError("unknown answer kind: " + kind);
  }

  // False at `close`.
  bool RunLine(const std::string& line) {
    if (SkippedLine(line)) return true;
    auto [verb, rest] = SplitWord(line);
    if (verb == "close") return false;
    if (verb == "print") {
      out_ << rest << "\n";
      return true;
    }
    if (verb == "answer") {
      Queue(rest);
      return true;
    }
    // The real window opens media itself; the stand-in has no say there.
    if (verb == "media") return true;
    auto [name, arg] = SplitWord(rest);
    if (verb == "dump" && name == "form") {
      for (int i = 0; i < tw::kControlCount; ++i) out_ << form_->Dump(tw::IdAt(i));
      return true;
    }
    std::optional<tw::ControlId> id = tw::FindControl(name);
    if (!id) throw LineError("unknown control: " + name);
    const tw::Kind kind = tw::Spec(*id).kind;
    if (verb == "dump") {
      out_ << form_->Dump(*id);
      return true;
    }
    // A user cannot reach a control that is switched off.
    if (verb != "dump" && !IsWindowEnabled(form_->Control(*id))) throw LineError(name + " is disabled");
    if (verb == "type") {
      if (kind != tw::Kind::Edit && kind != tw::Kind::NumericEdit && kind != tw::Kind::EditableCombo)
        throw LineError(name + " cannot be typed into");
      form_->Type(*id, arg);
    } else if (verb == "focus" || verb == "leave") {
      if (kind == tw::Kind::Label || kind == tw::Kind::Frame || kind == tw::Kind::Image)
        throw LineError(name + " takes no focus");
      verb == "focus" ? form_->Focus(*id) : form_->Leave(*id);
    } else if (verb == "click") {
      if (kind != tw::Kind::PushButton && kind != tw::Kind::CheckBox) throw LineError(name + " cannot be clicked");
      form_->Click(*id);
    } else if (verb == "choose") {
      int n = 0;
      auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), n);
      if (ec != std::errc() || end != arg.data() + arg.size() || arg.empty()) throw LineError("choose needs a number");
      if (kind != tw::Kind::TrackBar && (!tw::HasItems(kind) || n < 0 || n >= form_->ItemCount(*id)))
        throw LineError(name + " has no item " + arg);
      form_->Choose(*id, n);
    } else {
      throw LineError("unknown verb: " + verb);
    }
    Settle();
    return true;
  }

  // The close box, then the exit sequence with whatever dialogs it shows.
  int Close() {
    if (form_) PostMessageA(form_->Main(), WM_CLOSE, 0, 0);
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

  const std::vector<std::string>& lines_;
  std::ostream& out_;
  size_t line_ = 0;
  std::deque<Answer> answers_;
  PROCESS_INFORMATION process_{};
  std::unique_ptr<RemoteForm> form_;
};

}  // namespace

int PlayScenario(const std::string& program, const std::vector<std::string>& lines, std::ostream& out,
                 std::ostream& err) {
  Player player(lines, out);
  try {
    return player.Run(program);
  } catch (const LineError& e) {
    out.flush();
    err << "line " << std::min(player.LineNumber(), lines.size() > 0 ? lines.size() : 1) << ": " << e.what() << "\n";
    return 2;
  }
}

}  // namespace gui
