// The two dialects of x264's command line that the pass lines can be written
// in: the one of the 2007 builds the form was made for, and the one of the
// builds in use today, whose defaults and option names moved since.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

enum class OptionSyntax { Y2007, Current };

// X264SyntaxCombo: "Auto", "2007", "Current".
enum X264SyntaxItem : int { kSyntaxAuto = 0, kSyntax2007, kSyntaxCurrent };

// How one dialect spells the choices whose options differ between them.
// Every text is empty or begins with one blank.
struct OptionSpelling {
  const char* head;
  const char* mixedRefsOn;   // mixed references checked with more than one reference
  const char* mixedRefsOff;  // any other case
  const char* noCabac;
  bool trellisOffWritten;  // "-t 0" with CABAC
  const char* deblockOff;
  const char* bimeOn;
  const char* adaptiveOff;
  const char* pyramidOn;
  const char* pyramidOff;
  const char* weightbOn;
  const char* weightbOff;
  const char* transformOn;
  const char* transformOff;
  const char* bRdo;  // behind the level of the two "b" subme items
  // The level written for each SubmeCombo item; null: the item's first character.
  const std::array<const char*, 9>* submeLevels;
  // Today's x264 cuts every first pass short unless told otherwise, so the
  // slow first passes say so; the fast ones keep x264's own cut.
  const char* slowFirstPass;
};

const OptionSpelling& SpellingOf(OptionSyntax syntax);

// The build number of an x264 version line, "x264 0.164.3095 baee400" giving
// 3095 (the third figure; "x264 0.54.620" gives 620); nothing when the line
// does not read so.
std::optional<int> X264Build(std::string_view versionLine);

// From this build on x264 takes today's options (--b-pyramid with a mode,
// no --bime and --b-rdo, progress and no PSNR/SSIM by default); the 2007
// builds count in the hundreds.
constexpr int kFirstCurrentBuild = 1400;

// The syntax Auto picks for what the search found: the first line x264.exe
// answered to --version, or nothing when no x264.exe was found.
OptionSyntax SyntaxOfVersion(const std::optional<std::string>& versionLine);
// What X264FoundLabel says about it, for example "x264 0.164.3095: Current".
std::string FoundLabelText(const std::optional<std::string>& versionLine);

// The syntax the pass lines are written in: the combo's choice, or for Auto
// (and any index out of the list) what the search found.
OptionSyntax ChosenSyntax(int comboIndex, OptionSyntax found);

}  // namespace tw
