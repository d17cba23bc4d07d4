// Wine refuses to replace a file that is open anywhere; the rest of what
// the layer owes the program is in platform/files_test.cpp.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/native_files.h"

namespace tw {
namespace {

TEST(Win32Files, ReplaceOfAnOpenFileKeepsOneWholeFile) {
  char base[MAX_PATH + 1] = {};
  ASSERT_NE(GetTempPathA(sizeof base, base), 0u);
  const std::string dir = std::string(base) + "twopen" + std::to_string(GetCurrentProcessId()) + "\\";
  NativeFiles files;
  ASSERT_TRUE(files.CreateFolder(dir));
  ASSERT_TRUE(files.WriteReplace(dir + "s.ini", "old"));
  HANDLE h = CreateFileA((dir + "s.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  const bool replaced = files.WriteReplace(dir + "s.ini", "new");
  CloseHandle(h);
  EXPECT_EQ(files.Read(dir + "s.ini"), replaced ? "new" : "old");
  EXPECT_EQ(files.ListFiles(dir, "*"), std::vector<std::string>{"s.ini"});
  EXPECT_TRUE(files.Remove(dir + "s.ini"));
  EXPECT_TRUE(RemoveDirectoryA(dir.c_str()));
}

}  // namespace
}  // namespace tw
