#include "platform/win32/win32_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/native_files.h"

namespace tw {
namespace {

// A fresh folder under the temporary folder, removed with its files afterwards.
class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof base, base), 0u);
    dir_ = std::string(base) + "twfiles" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(files_.CreateFolder(dir_));
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir_ + "*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string p = dir_ + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryA(p.c_str());
        } else {
          SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileA(p.c_str());
        }
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(dir_.c_str());
  }
  std::vector<std::string> All() { return files_.ListFiles(dir_, "*").value_or(std::vector<std::string>{"?"}); }

  Win32Files files_;
  std::string dir_;
};

TEST_F(Win32FilesTest, NativeSeparatorIsBackslash) { EXPECT_EQ(NativeSeparator(), '\\'); }

TEST_F(Win32FilesTest, RoundTripKeepsEveryByte) {
  const std::string bytes = std::string("a\r\nb\0c\xff\n", 8) + std::string(200000, 'x');
  ASSERT_TRUE(files_.WriteReplace(dir_ + "s.ini", bytes));
  EXPECT_EQ(files_.Read(dir_ + "s.ini"), bytes);
  ASSERT_TRUE(files_.WriteReplace(dir_ + "s.ini", "short"));
  EXPECT_EQ(files_.Read(dir_ + "s.ini"), "short");
  ASSERT_TRUE(files_.WriteReplace(dir_ + "s.ini", ""));
  EXPECT_EQ(files_.Read(dir_ + "s.ini"), "");
  EXPECT_EQ(All(), std::vector<std::string>{"s.ini"});
}

TEST_F(Win32FilesTest, ReadOfMissingFileOrFolderIsNothing) {
  EXPECT_FALSE(files_.Read(dir_ + "none.ini").has_value());
  EXPECT_FALSE(files_.Read(dir_).has_value());
  EXPECT_FALSE(files_.IsFile(dir_ + "none.ini"));
  EXPECT_FALSE(files_.IsFile(dir_));
}

TEST_F(Win32FilesTest, ReadOnlyTargetIsRefusedAndKeptWhole) {
  ASSERT_TRUE(files_.WriteReplace(dir_ + "ro.ini", "old"));
  ASSERT_TRUE(SetFileAttributesA((dir_ + "ro.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files_.WriteReplace(dir_ + "ro.ini", "new"));
  EXPECT_EQ(files_.Read(dir_ + "ro.ini"), "old");
  EXPECT_EQ(All(), std::vector<std::string>{"ro.ini"});  // no temporary left behind
}

TEST_F(Win32FilesTest, FailedWriteKeepsOldFileAndLeavesNoTemporary) {
  ASSERT_TRUE(files_.WriteReplace(dir_ + "s.ini", "old content"));
  for (long after : {0L, 1L, 70000L}) {
    files_.FailWritesAfter(after);
    EXPECT_FALSE(files_.WriteReplace(dir_ + "s.ini", std::string(100000, 'n'))) << after;
    EXPECT_EQ(files_.Read(dir_ + "s.ini"), "old content") << after;
    EXPECT_EQ(All(), std::vector<std::string>{"s.ini"}) << after;
  }
  files_.FailWritesAfter(-1);
  EXPECT_TRUE(files_.WriteReplace(dir_ + "s.ini", "new"));
  EXPECT_EQ(files_.Read(dir_ + "s.ini"), "new");
}

TEST_F(Win32FilesTest, ReplaceOfOpenTargetFailsWithoutLoss) {
  ASSERT_TRUE(files_.WriteReplace(dir_ + "s.ini", "old"));
  HANDLE h = CreateFileA((dir_ + "s.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  const bool replaced = files_.WriteReplace(dir_ + "s.ini", "new");
  CloseHandle(h);
  EXPECT_EQ(files_.Read(dir_ + "s.ini"), replaced ? "new" : "old");
  EXPECT_EQ(All(), std::vector<std::string>{"s.ini"});
}

TEST_F(Win32FilesTest, WriteIntoMissingFolderFails) {
  EXPECT_FALSE(files_.WriteReplace(dir_ + "nofolder\\s.ini", "x"));
  EXPECT_TRUE(All().empty());
}

TEST_F(Win32FilesTest, ListingHasFilesOnlyMatchingThePattern) {
  ASSERT_TRUE(files_.WriteReplace(dir_ + "b.ini", "1"));
  ASSERT_TRUE(files_.WriteReplace(dir_ + "a.INI", "2"));
  ASSERT_TRUE(files_.WriteReplace(dir_ + "c.txt", "3"));
  ASSERT_TRUE(files_.CreateFolder(dir_ + "d.ini"));
  EXPECT_FALSE(files_.CreateFolder(dir_ + "d.ini"));
  auto names = files_.ListFiles(dir_, "*.ini");
  ASSERT_TRUE(names.has_value());
  std::sort(names->begin(), names->end());
  EXPECT_EQ(*names, (std::vector<std::string>{"a.INI", "b.ini"}));
  // Without the trailing separator the same.
  auto again = files_.ListFiles(dir_.substr(0, dir_.size() - 1), "*.ini");
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->size(), 2u);
  EXPECT_EQ(files_.ListFiles(dir_, "*.none"), std::vector<std::string>{});
  EXPECT_FALSE(files_.ListFiles(dir_ + "missing", "*.ini").has_value());
}

TEST_F(Win32FilesTest, RemoveDeletesOnlyFiles) {
  ASSERT_TRUE(files_.WriteReplace(dir_ + "s.ini", "1"));
  EXPECT_TRUE(files_.IsFile(dir_ + "s.ini"));
  EXPECT_TRUE(files_.Remove(dir_ + "s.ini"));
  EXPECT_FALSE(files_.IsFile(dir_ + "s.ini"));
  EXPECT_FALSE(files_.Remove(dir_ + "s.ini"));
}

}  // namespace
}  // namespace tw
