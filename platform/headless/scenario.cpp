#include "platform/headless/scenario.h"

#include <charconv>

namespace tw {
namespace {

bool ParseInt(const std::string& s, int& value) {
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

bool TakesFocus(Kind k) { return k != Kind::Label && k != Kind::Frame && k != Kind::Image; }

}  // namespace

bool SkippedLine(const std::string& line) { return line.empty() || line[0] == '#'; }

std::pair<std::string, std::string> SplitWord(const std::string& s) {
  size_t blank = s.find(' ');
  if (blank == std::string::npos) return {s, std::string()};
  return {s.substr(0, blank), s.substr(blank + 1)};
}

std::vector<std::string> ScenarioLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

ScenarioHost::ScenarioHost(std::vector<std::string> lines, std::string programFolder, std::ostream& out,
                           std::unique_ptr<Files> files)
    : lines_(std::move(lines)),
      out_(out),
      files_(std::move(files)),
      dialogs_(out, programFolder.empty() ? '/' : programFolder.back()),
      processes_(out),
      platform_{*files_, dialogs_, media_, processes_, std::move(programFolder)} {
  // Answers before every other line are queued before start-up, for the
  // dialogs a loaded settings file can open.
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (SkippedLine(lines_[i])) continue;
    auto [verb, rest] = SplitWord(lines_[i]);
    if (verb != "answer") break;
    current_ = static_cast<int>(i);
    QueueAnswer(rest);
  }
}

Form& ScenarioHost::BuildWindow(const Picture*) { return form_; }

void ScenarioHost::CheckFinished() const {
  if (dialogs_.Pending() > 0) throw ScenarioError("answers left over at the end");
}

void ScenarioHost::QueueAnswer(const std::string& rest) {
  auto [kind, text] = SplitWord(rest);
  static const char* const kKinds[] = {"open", "save", "folder", "files", "yes", "no", "input", "cancel"};
  for (const char* k : kKinds)
    if (kind == k) {
      dialogs_.Queue({kind, text});
      return;
    }
  throw ScenarioError("unknown answer kind: " + kind);
}

Event ScenarioHost::WaitEvent() {
  while (++current_ < static_cast<int>(lines_.size())) {
    Event event;
    if (RunLine(lines_[current_], event)) return event;
  }
  current_ = static_cast<int>(lines_.size()) - 1;
  // The end of the file ends the program as the end of a session does.
  Event end;
  end.sessionEnd = true;
  return end;
}

bool ScenarioHost::RunLine(const std::string& line, Event& event) {
  if (SkippedLine(line)) return false;
  auto [verb, rest] = SplitWord(line);
  if (verb == "close") {
    event = Event{};
    return true;
  }
  if (verb == "print") {
    out_ << rest << "\n";
    return false;
  }
  if (verb == "answer") {
    QueueAnswer(rest);
    return false;
  }
  if (verb == "media") {
    // PATH may hold blanks: the last two words are the numbers.
    size_t b2 = rest.rfind(' ');
    size_t b1 = b2 == std::string::npos || b2 == 0 ? std::string::npos : rest.rfind(' ', b2 - 1);
    int frames = 0, rate = 0;
    if (b1 == std::string::npos || !ParseInt(rest.substr(b1 + 1, b2 - b1 - 1), frames) ||
        !ParseInt(rest.substr(b2 + 1), rate))
      throw ScenarioError("media needs PATH FRAMES RATE");
    media_.Register(rest.substr(0, b1), frames, rate);
    return false;
  }

  auto [name, arg] = SplitWord(rest);
  if (verb == "dump" && name == "form") {
    for (int i = 0; i < kControlCount; ++i) Dump(IdAt(i));
    return false;
  }
  static const char* const kEventVerbs[] = {"type", "focus", "leave", "click", "choose", "dump"};
  bool known = false;
  for (const char* v : kEventVerbs) known = known || verb == v;
  if (!known) throw ScenarioError("unknown verb: " + verb);
  std::optional<ControlId> id = FindControl(name);
  if (!id) throw ScenarioError("unknown control: " + name);
  const Kind kind = Spec(*id).kind;
  event = Event{*id, EventType::None};

  if (verb == "dump") {
    Dump(*id);
    return false;
  }
  if (verb == "type") {
    if (kind != Kind::Edit && kind != Kind::NumericEdit && kind != Kind::EditableCombo)
      throw ScenarioError(name + " cannot be typed into");
    form_.TypeText(*id, arg);
    event.type = EventType::Change;
    return true;
  }
  if (verb == "focus" || verb == "leave") {
    if (!TakesFocus(kind)) throw ScenarioError(name + " takes no focus");
    if (verb == "leave") event.type = EventType::LostFocus;
    return true;
  }
  if (verb == "click") {
    if (kind != Kind::PushButton && kind != Kind::CheckBox) throw ScenarioError(name + " cannot be clicked");
    form_.Click(*id);
    return true;
  }
  // choose
  int n = 0;
  if (!ParseInt(arg, n)) throw ScenarioError("choose needs a number");
  if (kind == Kind::TrackBar) {
    form_.SetState(*id, n);
    return true;
  }
  if (!HasItems(kind)) throw ScenarioError(name + " has nothing to choose");
  if (n < 0 || n >= form_.ItemCount(*id)) throw ScenarioError(name + " has no item " + arg);
  form_.SetState(*id, n);
  return true;
}

void ScenarioHost::Dump(ControlId id) {
  const Kind kind = Spec(id).kind;
  out_ << Spec(id).name << " state=" << form_.State(id) << " enabled=" << (form_.Enabled(id) ? 1 : 0)
       << " visible=" << (form_.Visible(id) ? 1 : 0) << " text=\"" << form_.Text(id) << "\"\n";
  if (!HasItems(kind)) return;
  for (int i = 0, n = form_.ItemCount(id); i < n; ++i) out_ << "  " << i << " \"" << form_.ItemText(id, i) << "\"\n";
}

}  // namespace tw
