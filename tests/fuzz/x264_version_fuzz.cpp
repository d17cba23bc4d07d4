// Any answer of an x264.exe to --version: Auto takes a syntax and the label
// says which, and only a well-formed line of a Current build gives Current.
#include "tests/fuzz/fuzz.h"

namespace tw {
namespace {

// "x264 MAJOR.REV.BUILD" with BUILD at least kFirstCurrentBuild, then the
// end of the line, a blank or a "+".
bool CurrentBuildLine(std::string_view line) {
  if (!line.starts_with("x264 ")) return false;
  size_t at = 5;
  int64_t figure = 0;
  for (int n = 0; n < 3; ++n) {
    if (n > 0 && (at >= line.size() || line[at++] != '.')) return false;
    const size_t start = at;
    for (figure = 0; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at)
      figure = std::min<int64_t>(figure * 10 + (line[at] - '0'), int64_t{1} << 40);
    if (at == start) return false;
  }
  const bool ended = at == line.size() || std::string_view(" \t+").find(line[at]) != std::string_view::npos;
  return ended && figure >= kFirstCurrentBuild && figure <= INT32_MAX;
}

}  // namespace
}  // namespace tw

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tw;
  TestApp t;
  const std::string answer = Bytes(data, size);
  AnswerProcesses x264(t.log, answer);
  t.WriteFile("x264.exe", "");
  X264Probe probe(t.files, x264, t.folder(), "");
  t.platform.x264 = &probe;
  Choose(t, ControlId::X264SyntaxCombo, kSyntaxAuto);
  t.Press(ControlId::RefreshButton);
  // The probe keeps the first line of the answer.
  const bool current = CurrentBuildLine(answer.substr(0, answer.find_first_of("\r\n")));
  const OptionSyntax taken = ChosenSyntax(ReadEncodeOptions(t.form).syntaxChoice, SyntaxOfVersion(probe.Found()));
  Require((taken == OptionSyntax::Current) == current, "Current exactly for a Current build's line");
  const std::string label = t.form.Text(ControlId::X264FoundLabel);
  Require(label.ends_with(current ? ": Current" : ": 2007"), "the label names the syntax taken");
  return 0;
}
