// The scenario language, read once for both drivers: the headless driver
// applies a line to the form model, the window player to the real window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/headless/scripted.h"
#include "ui/form.h"

namespace tw {

enum class Verb { Close, Print, Answer, Media, X264, Stop, Dump, DumpForm, Type, Focus, Leave, Click, Choose, Drop };

struct ScenarioLine {
  Verb verb = Verb::Close;
  ControlId control = ControlId::Count;  // of an event or a dump
  std::string text;                      // printed, typed, dropped, the media path, or x264's answer
  int number = 0;                        // the item or position chosen, the media's frames, the steps before a stop
  int rate = 0;                          // the media's frame rate
  Answer answer;
  bool x264Found = false;  // false for "x264 none"
};

// Splits a scenario text into lines without their line ends.
std::vector<std::string> ScenarioLines(const std::string& text);

// A line as the drivers run it, with the number of the line of the file it
// comes from, or the fault of a block that cannot be unrolled.
struct ScriptLine {
  std::string text;
  int number = 0;
  std::string fault;
};

// The lines with every block unrolled, in the order they run:
//   for NAME... in VALUE...   the lines up to the matching `end`, once for
//                             each row of as many values as names, each
//                             $NAME replaced by its value (the longest
//                             name where several fit: $FILEEdit);
//   def BLOCK PARAM...        the lines up to `end`, kept for
//   do BLOCK ARG...           which runs them with each $PARAM replaced; the
//                             last parameter takes the rest of the line.
// Blocks nest. A block that cannot be unrolled ends the lines with its fault.
std::vector<ScriptLine> Unroll(const std::vector<std::string>& lines);

// The line read, or nothing for a blank line or a comment. A line that no
// driver could run (unknown verb or control, an event the control's kind
// cannot take, a malformed number, a block's fault) throws ScenarioError.
std::optional<ScenarioLine> ParseScenarioLine(const ScriptLine& line);

// The answers that stand before every other line, queued before start-up;
// `next` follows the reading, so on an error it names the line at fault.
// The x264 lines among them are passed over: they too are in force at
// start-up, and the driver reads them again.
std::vector<Answer> LeadingAnswers(const std::vector<ScriptLine>& lines, size_t& next);

// The event a line raises in its control.
Event EventOf(const ScenarioLine& line);

// A chosen item must exist; a track bar takes any position and holds it
// within its range.
void CheckChoice(const ScenarioLine& line, int itemCount);

}  // namespace tw
