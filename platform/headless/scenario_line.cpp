#include "platform/headless/scenario_line.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <sstream>
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

// The blank-separated words of a text.
std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The text with each $NAME of `names` replaced by its value, the longest
// name that fits where several do; a `$` before anything else stays.
std::string Substitute(const std::string& text, const std::vector<std::string>& names,
                       const std::vector<std::string>& values) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t best = names.size();
    for (size_t n = 0; n < names.size(); ++n)
      if (text[i] == '$' && text.compare(i + 1, names[n].size(), names[n]) == 0 &&
          (best == names.size() || names[n].size() > names[best].size()))
        best = n;
    if (best == names.size()) {
      out += text[i];
    } else {
      out += values[best];
      i += names[best].size();
    }
  }
  return out;
}

struct BlockFault {
  ScriptLine line;
};

class Unroller {
 public:
  // Appends `lines` unrolled to `out`.
  void Run(const std::vector<ScriptLine>& lines, int depth) {
    for (size_t i = 0; i < lines.size(); ++i) {
      const ScriptLine& line = lines[i];
      auto [word, rest] = SplitWord(line.text);
      if (word == "for" || word == "def") {
        const size_t end = EndOf(lines, i);
        const std::vector<ScriptLine> body(lines.begin() + static_cast<long>(i) + 1,
                                           lines.begin() + static_cast<long>(end));
        if (word == "for")
          For(line, Words(rest), body, depth);
        else if (const std::vector<std::string> words = Words(rest); !words.empty())
          blocks_[words[0]] = {{words.begin() + 1, words.end()}, body};
        else
          Fail(line, "def needs a name");
        i = end;
      } else if (word == "do") {
        Do(line, rest, depth);
      } else if (word == "end") {
        Fail(line, "end without for or def");
      } else {
        out.push_back(line);
      }
    }
  }

  std::vector<ScriptLine> out;

 private:
  struct Block {
    std::vector<std::string> params;
    std::vector<ScriptLine> body;
  };

  [[noreturn]] static void Fail(const ScriptLine& line, const std::string& fault) {
    throw BlockFault{{line.text, line.number, fault}};
  }

  // The `end` that closes the block opened at `open`.
  static size_t EndOf(const std::vector<ScriptLine>& lines, size_t open) {
    int depth = 0;
    for (size_t i = open; i < lines.size(); ++i) {
      const std::string word = SplitWord(lines[i].text).first;
      depth += word == "for" || word == "def" ? 1 : word == "end" ? -1 : 0;
      if (depth == 0) return i;
    }
    Fail(lines[open], SplitWord(lines[open].text).first + " without end");
  }

  void Unrolled(const std::vector<ScriptLine>& body, const std::vector<std::string>& names,
                const std::vector<std::string>& values, int depth) {
    std::vector<ScriptLine> lines = body;
    for (ScriptLine& line : lines) line.text = Substitute(line.text, names, values);
    Run(lines, depth + 1);
  }

  void For(const ScriptLine& line, const std::vector<std::string>& words, const std::vector<ScriptLine>& body,
           int depth) {
    const auto in = std::ranges::find(words, "in");
    const std::vector<std::string> names(words.begin(), in);
    const size_t n = names.size();
    if (in == words.end() || n == 0 || (words.end() - in - 1) % static_cast<long>(n) != 0)
      Fail(line, "for needs NAME... in VALUE..., a value for each name in each row");
    for (auto row = in + 1; row != words.end(); row += static_cast<long>(n))
      Unrolled(body, names, {row, row + static_cast<long>(n)}, depth);
  }

  void Do(const ScriptLine& line, const std::string& rest, int depth) {
    auto [name, args] = SplitWord(rest);
    const auto block = blocks_.find(name);
    if (block == blocks_.end()) Fail(line, "no block named " + name);
    if (depth > 50) Fail(line, "blocks run within each other too deep");
    const std::vector<std::string>& params = block->second.params;
    if (params.empty() && !args.empty()) Fail(line, name + " takes no values");
    // Each argument before the last ends at a blank; the last takes the rest.
    std::vector<std::string> values;
    for (size_t i = 0; i < params.size(); ++i) {
      if (args.empty() && i + 1 < params.size()) Fail(line, name + " needs a value for " + params[i]);
      auto [value, after] = i + 1 < params.size() ? SplitWord(args) : std::pair(args, std::string());
      values.push_back(value);
      args = after;
    }
    Unrolled(block->second.body, params, values, depth);
  }

  std::map<std::string, Block> blocks_;
};

}  // namespace

std::vector<ScriptLine> Unroll(const std::vector<std::string>& lines) {
  std::vector<ScriptLine> numbered;
  for (size_t i = 0; i < lines.size(); ++i) numbered.push_back({lines[i], static_cast<int>(i) + 1, ""});
  Unroller unroller;
  try {
    unroller.Run(numbered, 0);
  } catch (const BlockFault& fault) {
    unroller.out.push_back(fault.line);
  }
  return unroller.out;
}

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

std::optional<ScenarioLine> ParseScenarioLine(const ScriptLine& script) {
  if (!script.fault.empty()) throw ScenarioError(script.fault);
  const std::string& text = script.text;
  if (text.empty() || text[0] == '#') return std::nullopt;
  auto [verb, rest] = SplitWord(text);
  ScenarioLine line;
  if (verb == "close") return line;
  if (verb == "print" || verb == "drop") {
    line.verb = verb == "drop" ? Verb::Drop : Verb::Print;
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
  if (verb == "stop") {
    line.verb = Verb::Stop;
    if (name != "after" || !ParseInt(arg, line.number) || line.number < 0) throw ScenarioError("stop needs after N");
    return line;
  }
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

std::vector<Answer> LeadingAnswers(const std::vector<ScriptLine>& lines, size_t& next) {
  std::vector<Answer> answers;
  for (next = 0; next < lines.size(); ++next) {
    if (!lines[next].fault.empty()) break;
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
    case Verb::Drop:
      return Event{.signal = Signal::FilesArrived};
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
