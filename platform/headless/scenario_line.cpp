#include "platform/headless/scenario_line.h"

#include <charconv>
#include <string_view>

namespace tw {
namespace {

bool ParseInt(std::string_view s, int& value) {
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

// "verb rest": the word before the first blank and everything after it.
std::pair<std::string, std::string> SplitWord(const std::string& s) {
  const size_t blank = s.find(' ');
  if (blank == std::string::npos) return {s, std::string()};
  return {s.substr(0, blank), s.substr(blank + 1)};
}

Answer ParseAnswer(const std::string& rest) {
  auto [kind, text] = SplitWord(rest);
  for (const char* k : {"open", "save", "folder", "files", "yes", "no", "input", "cancel"})
    if (kind == k) return {kind, text};
  throw ScenarioError("unknown answer kind: " + kind);
}

void ParseMedia(const std::string& rest, ScenarioLine& line) {
  // PATH may hold blanks: the last two words are the numbers.
  const size_t b2 = rest.rfind(' ');
  const size_t b1 = b2 == std::string::npos || b2 == 0 ? std::string::npos : rest.rfind(' ', b2 - 1);
  if (b1 == std::string::npos || !ParseInt(std::string_view(rest).substr(b1 + 1, b2 - b1 - 1), line.number) ||
      !ParseInt(std::string_view(rest).substr(b2 + 1), line.rate))
    throw ScenarioError("media needs PATH FRAMES RATE");
  line.text = rest.substr(0, b1);
}

struct EventVerb {
  const char* word;
  Verb verb;
  bool (*fits)(Kind);
  const char* refusal;  // after the control's name
};

bool Typable(Kind k) { return k == Kind::Edit || k == Kind::NumericEdit || k == Kind::EditableCombo; }
bool TakesFocus(Kind k) { return k != Kind::Label && k != Kind::Frame && k != Kind::Image; }
bool Clickable(Kind k) { return k == Kind::PushButton || k == Kind::CheckBox; }
bool Choosable(Kind k) { return k == Kind::TrackBar || HasItems(k); }
bool Any(Kind) { return true; }

constexpr EventVerb kControlVerbs[] = {
    {"type", Verb::Type, Typable, " cannot be typed into"},
    {"focus", Verb::Focus, TakesFocus, " takes no focus"},
    {"leave", Verb::Leave, TakesFocus, " takes no focus"},
    {"click", Verb::Click, Clickable, " cannot be clicked"},
    {"choose", Verb::Choose, Choosable, " has nothing to choose"},
    {"dump", Verb::Dump, Any, ""},
};

}  // namespace

std::vector<std::string> ScenarioLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t lf = text.find('\n', start);
    std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

std::optional<ScenarioLine> ParseScenarioLine(const std::string& text) {
  if (text.empty() || text[0] == '#') return std::nullopt;
  auto [verb, rest] = SplitWord(text);
  ScenarioLine line;
  if (verb == "close") return line;
  if (verb == "print") {
    line.verb = Verb::Print;
    line.text = rest;
    return line;
  }
  if (verb == "answer") {
    line.verb = Verb::Answer;
    line.answer = ParseAnswer(rest);
    return line;
  }
  if (verb == "x264") {
    line.verb = Verb::X264;
    line.x264Found = rest != "none";
    if (line.x264Found) line.text = rest;
    return line;
  }
  if (verb == "media") {
    line.verb = Verb::Media;
    ParseMedia(rest, line);
    return line;
  }
  auto [name, arg] = SplitWord(rest);
  if (verb == "dump" && name == "form") {
    line.verb = Verb::DumpForm;
    return line;
  }
  for (const EventVerb& v : kControlVerbs) {
    if (verb != v.word) continue;
    const std::optional<ControlId> id = FindControl(name);
    if (!id) throw ScenarioError("unknown control: " + name);
    if (v.verb == Verb::Choose && !ParseInt(arg, line.number)) throw ScenarioError("choose needs a number");
    if (!v.fits(Spec(*id).kind)) throw ScenarioError(name + v.refusal);
    line.verb = v.verb;
    line.control = *id;
    line.text = arg;
    return line;
  }
  throw ScenarioError("unknown verb: " + verb);
}

std::vector<Answer> LeadingAnswers(const std::vector<std::string>& lines, size_t& next) {
  std::vector<Answer> answers;
  for (next = 0; next < lines.size(); ++next) {
    const std::optional<ScenarioLine> line = ParseScenarioLine(lines[next]);
    if (!line || line->verb == Verb::X264) continue;
    if (line->verb != Verb::Answer) break;
    answers.push_back(line->answer);
  }
  return answers;
}

Event EventOf(const ScenarioLine& line) {
  switch (line.verb) {
    case Verb::Close:
      return Event{};
    case Verb::Type:
      return {line.control, EventType::Change};
    case Verb::Leave:
      return {line.control, EventType::LostFocus};
    default:
      return {line.control, EventType::None};
  }
}

void CheckChoice(const ScenarioLine& line, int itemCount) {
  if (Spec(line.control).kind == Kind::TrackBar) return;
  if (line.number < 0 || line.number >= itemCount)
    throw ScenarioError(std::string(Spec(line.control).name) + " has no item " + line.text);
}

}  // namespace tw
