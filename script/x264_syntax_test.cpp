#include "script/x264_syntax.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct VersionCase {
  const char* line;   // x264.exe's first answer to --version
  const char* label;  // the syntax follows from the label's end
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
    const std::string label = FoundLabelText(std::string(c.line));
    EXPECT_EQ(label, c.label) << c.line;
    const OptionSyntax expected = label.ends_with(": Current") ? OptionSyntax::Current : OptionSyntax::Y2007;
    EXPECT_EQ(SyntaxOfVersion(std::string(c.line)), expected) << label;
  }
}

}  // namespace
}  // namespace tw
