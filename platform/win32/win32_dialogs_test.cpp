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
  using Paths = std::vector<std::string>;
  const std::pair<std::string, Paths> cases[] = {
      {std::string("C:\\clips\0a.avi\0b c.avi\0\0", 24), {"C:\\clips\\a.avi", "C:\\clips\\b c.avi"}},
      {std::string("D:\\\0x.mkv\0\0", 11), {"D:\\x.mkv"}},
      {std::string("C:\\clips\\a.avi\0\0", 16), {"C:\\clips\\a.avi"}},
      {std::string("\0\0", 2), {}},
      // a buffer without its final NUL is never read past its end
      {std::string("C:\\clips\0a.avi", 14), {"C:\\clips\\a.avi"}},
  };
  for (const auto& [buffer, paths] : cases) EXPECT_EQ(SplitMultiSelection(buffer.data(), buffer.size()), paths);
}

}  // namespace
}  // namespace tw
