#include "script/x264_syntax.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct VersionCase {
  std::optional<std::string> line;  // nothing: no x264.exe found
  const char* label;                // syntax follows from the label's end
};

// Debian's x264, a 2007 build and none found are the headless scenario's.
const VersionCase kVersions[] = {
    {"x264 0.79.1399 9a5d35e", "x264 0.79.1399: 2007"},
    {"x264 0.80.1400\r", "x264 0.80.1400: Current"},
    {"x264 0.148.2795+14 aaa0000", "x264 0.148.2795+14: Current"},
    {"", "x264.exe of unknown version: 2007"},
    {"x264 core:54 svn-620", "x264.exe of unknown version: 2007"},
    {"x264 0.164", "x264.exe of unknown version: 2007"},
    {"x264 0.164.x3095", "x264.exe of unknown version: 2007"},
    {"ffmpeg 0.164.3095", "x264.exe of unknown version: 2007"},
};

TEST(X264Syntax, AutoChoosesByTheBuildNumberAndSaysWhy) {
  for (const VersionCase& c : kVersions) {
    const std::string label = FoundLabelText(c.line);
    EXPECT_EQ(label, c.label) << c.line.value_or("(none)");
    const OptionSyntax expected = label.ends_with(": Current") ? OptionSyntax::Current : OptionSyntax::Y2007;
    EXPECT_EQ(SyntaxOfVersion(c.line), expected) << label;
  }
}

TEST(X264Syntax, TheComboOverridesWhatWasFound) {
  const struct {
    int index;
    OptionSyntax found, chosen;
  } cases[] = {
      {kSyntaxAuto, OptionSyntax::Current, OptionSyntax::Current},
      {kSyntaxAuto, OptionSyntax::Y2007, OptionSyntax::Y2007},
      {kSyntax2007, OptionSyntax::Current, OptionSyntax::Y2007},
      {kSyntaxCurrent, OptionSyntax::Y2007, OptionSyntax::Current},
      {-1, OptionSyntax::Current, OptionSyntax::Current},
      {7, OptionSyntax::Y2007, OptionSyntax::Y2007},
  };
  for (const auto& c : cases) EXPECT_EQ(ChosenSyntax(c.index, c.found), c.chosen) << c.index;
}

}  // namespace
}  // namespace tw
