#include "platform/win32/win32_dialogs.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

TEST(Win32DialogsTest, FilterBecomesNulSeparatedPairs) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"Video|*.avi;*.mkv|All|*.*", std::string("Video\0*.avi;*.mkv\0All\0*.*\0\0", 27)},
      {"", std::string("\0\0", 2)},
      {"A|B", std::string("A\0B\0\0", 5)},
  };
  for (const auto& c : cases) EXPECT_EQ(NulSeparatedFilter(c.in), c.out) << c.in;
}

TEST(Win32DialogsTest, MultiSelectionGivesFullPaths) {
  const std::string many("C:\\clips\0a.avi\0b c.avi\0\0", 24);
  EXPECT_EQ(SplitMultiSelection(many.data(), many.size()),
            (std::vector<std::string>{"C:\\clips\\a.avi", "C:\\clips\\b c.avi"}));
  const std::string root("D:\\\0x.mkv\0\0", 11);
  EXPECT_EQ(SplitMultiSelection(root.data(), root.size()), std::vector<std::string>{"D:\\x.mkv"});
  const std::string one("C:\\clips\\a.avi\0\0", 16);
  EXPECT_EQ(SplitMultiSelection(one.data(), one.size()), std::vector<std::string>{"C:\\clips\\a.avi"});
  const std::string none("\0\0", 2);
  EXPECT_TRUE(SplitMultiSelection(none.data(), none.size()).empty());
  // A buffer without its final NUL never reads past its end.
  const std::string cut("C:\\clips\0a.avi", 14);
  EXPECT_EQ(SplitMultiSelection(cut.data(), cut.size()), std::vector<std::string>{"C:\\clips\\a.avi"});
}

}  // namespace
}  // namespace tw
