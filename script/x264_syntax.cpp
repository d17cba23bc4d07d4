#include "script/x264_syntax.h"

#include <charconv>

namespace tw {
namespace {

// The 2007 builds read "-m" as 1 to 7 with "--b-rdo" for RD on B-frames;
// today's count 0 to 11, where 6/7 are RD and 8/9 RD refinement for I/P and
// for all frames.
constexpr std::array<const char*, 9> kCurrentSubmeLevels = {" -m 1", " -m 2", " -m 3", " -m 4", " -m 5",
                                                            " -m 6", " -m 7", " -m 8", " -m 9"};

constexpr OptionSpelling k2007 = {
    .head = "@x264.exe --progress --no-psnr --no-ssim",
    .mixedRefsOn = " --mixed-refs",
    .mixedRefsOff = "",
    .noCabac = " --no-cabac",
    .trellisOffWritten = false,
    .deblockOff = " --nf",
    .bimeOn = " --bime",
    .adaptiveOff = " --no-b-adapt",
    .pyramidOn = " --b-pyramid",
    .pyramidOff = "",
    .weightbOn = " -w",
    .weightbOff = "",
    .transformOn = " --8x8dct",
    .transformOff = "",
    .bRdo = " --b-rdo",
    .submeLevels = nullptr,
    .slowFirstPass = "",
};

// Today's defaults are the other way round for several tools, so both
// states of those boxes are written out.
constexpr OptionSpelling kCurrent = {
    .head = "@x264.exe",
    .mixedRefsOn = "",
    .mixedRefsOff = " --no-mixed-refs",
    .noCabac = " --no-cabac -t 0",  // trellis needs CABAC, yet x264 would run it
    .trellisOffWritten = true,
    .deblockOff = " --no-deblock",
    .bimeOn = "",
    .adaptiveOff = " --b-adapt 0",
    .pyramidOn = " --b-pyramid normal",
    .pyramidOff = " --b-pyramid none",
    .weightbOn = "",
    .weightbOff = " --no-weightb",
    .transformOn = "",
    .transformOff = " --no-8x8dct",
    .bRdo = "",
    .submeLevels = &kCurrentSubmeLevels,
    .slowFirstPass = " --slow-firstpass",
};

}  // namespace

const OptionSpelling& SpellingOf(OptionSyntax syntax) { return syntax == OptionSyntax::Current ? kCurrent : k2007; }

std::optional<int> X264Build(std::string_view line) {
  // "x264 MAJOR.REV.BUILD ...": the figures up to the first blank after the name.
  if (line.substr(0, 5) != "x264 ") return std::nullopt;
  line.remove_prefix(5);
  line = line.substr(0, line.find_first_of(" \t\r\n"));
  // MAJOR and REV are figures too: a line such as "x264 a.b.3095" is not x264's.
  for (int figure = 0; figure < 2; ++figure) {
    const size_t dot = line.find('.');
    if (dot == 0 || dot == std::string_view::npos || line.find_first_not_of("0123456789") != dot) return std::nullopt;
    line.remove_prefix(dot + 1);
  }
  int value = 0;
  auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (ec != std::errc() || line.empty() || line.front() == '-' || (end != line.data() + line.size() && *end != '+')) {
    return std::nullopt;
  }
  return value;
}

OptionSyntax SyntaxOfVersion(const std::optional<std::string>& versionLine) {
  if (!versionLine) return OptionSyntax::Y2007;
  const std::optional<int> build = X264Build(*versionLine);
  return build && *build >= kFirstCurrentBuild ? OptionSyntax::Current : OptionSyntax::Y2007;
}

std::string FoundLabelText(const std::optional<std::string>& versionLine) {
  const char* syntax = SyntaxOfVersion(versionLine) == OptionSyntax::Current ? ": Current" : ": 2007";
  if (!versionLine) return std::string("no x264.exe") + syntax;
  if (!X264Build(*versionLine)) return std::string("x264.exe of unknown version") + syntax;
  // The name and the version figures, without the source hash.
  const std::string_view line = *versionLine;
  return std::string(line.substr(0, line.find_first_of(" \t\r\n", 5))) + syntax;
}

OptionSyntax ChosenSyntax(int comboIndex, OptionSyntax found) {
  if (comboIndex == kSyntax2007) return OptionSyntax::Y2007;
  if (comboIndex == kSyntaxCurrent) return OptionSyntax::Current;
  return found;
}

}  // namespace tw
