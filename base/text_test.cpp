#include "base/text.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using TextFn = std::string (*)(std::string_view);

TEST(Text, PathsAndNames) {
  const struct {
    const char* fn;
    TextFn f;
    const char* in;
    const char* out;
  } cases[] = {
      {"Lowered", Lowered, "Temporal AUTO-1", "temporal auto-1"},
      {"Lowered", Lowered, "\xC4X", "\xC4x"},  // bytes above ASCII stay as they are
      {"DoublePercent", DoublePercent, "%a%%b", "%%a%%%%b"},
      {"DoublePercent", DoublePercent, "", ""},
      {"FolderPart", FolderPart, "D:\\in\\clip.avs", "D:\\in\\"},
      {"FolderPart", FolderPart, "/tmp\\mixed/clip.avs", "/tmp\\mixed/"},
      {"FolderPart", FolderPart, "clip.avs", ""},
      {"FileNamePart", FileNamePart, "D:\\a.b/clip.mkv", "clip.mkv"},
      {"FileNamePart", FileNamePart, "D:\\in\\", ""},
      {"WithoutExtensionKeepDot", WithoutExtensionKeepDot, "D:\\in\\clip.x.mkv", "D:\\in\\clip.x."},
      {"WithoutExtensionKeepDot", WithoutExtensionKeepDot, "D:\\in.d\\clip", "D:\\in.d\\clip"},
      {"WithoutExtensionKeepDot", WithoutExtensionKeepDot, "clip.", "clip."},
  };
  for (const auto& c : cases) EXPECT_EQ(c.f(c.in), c.out) << c.fn << "(\"" << c.in << "\")";
}

TEST(Text, Tests) {
  const struct {
    const char* what;
    bool got;
    bool expected;
  } cases[] = {
      {"same keys, other case", SameNoCase("AutO1pCRF", "auto1pcrf"), true},
      {"a prefix is not the same", SameNoCase("mode", "mod"), false},
      {"bytes above ASCII are not folded", SameNoCase("\xC4", "\xE4"), false},
      {"tail in other case", EndsWithNoCase("clip.AVS", ".avs"), true},
      {"tail longer than the text", EndsWithNoCase("vs", ".avs"), false},
      {"tail elsewhere", EndsWithNoCase("clip.avs.mkv", ".avs"), false},
      {"path in other case and separators", SamePath("D:\\In/clip.MP4", "d:/in\\clip.mp4"), true},
      {"paths differ in one letter", SamePath("D:\\in\\clip.mp4", "D:\\in\\clip.mp3"), false},
      {"a separator is not another character", SamePath("D:\\in\\a", "D:\\in_a"), false},
      {"dot in the file name", HasExtension("D:\\out\\clip."), true},
      {"dot in a folder only", HasExtension("D:\\out.d/clip"), false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

}  // namespace
}  // namespace tw
