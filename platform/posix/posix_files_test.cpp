// The POSIX layer finds names in any case through listings it keeps; these
// must follow changes other programs make. The rest of what it owes the
// program is in platform/files_test.cpp.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/native_files.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

TEST(PosixFiles, NamesMadeOrRemovedByOthersAreSeen) {
  char folder[] = "/tmp/tw-files-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string dir = std::string(folder) + "/";
  NativeFiles files;
  ASSERT_TRUE(files.WriteReplace(dir + "mine.ini", "m"));
  EXPECT_FALSE(files.IsFile(dir + "THEIRS.INI"));
  std::ofstream(dir + "Theirs.ini") << "t";
  EXPECT_EQ(files.Read(dir + "THEIRS.INI").value_or(""), "t");
  fs::remove(dir + "Theirs.ini");
  EXPECT_FALSE(files.IsFile(dir + "theirs.ini"));
  // a file another program made is replaced in place, under its own name
  std::ofstream(dir + "Other.ini") << "o";
  ASSERT_TRUE(files.WriteReplace(dir + "OTHER.ini", "new"));
  EXPECT_EQ(files.ListFiles(dir, "*"), (std::vector<std::string>{"mine.ini", "Other.ini"}));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tw
