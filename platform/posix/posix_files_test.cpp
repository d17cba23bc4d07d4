#include "platform/posix/posix_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tw {
namespace {

namespace fs = std::filesystem;

class PosixFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tw-files-XXXXXX";
    dir_ = mkdtemp(tmpl);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  int Entries() const {
    return static_cast<int>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  std::string dir_;
  PosixFiles files_;
};

TEST_F(PosixFilesTest, WriteReplaceRoundTripsExactBytes) {
  const std::string bytes("a = 1\r\n\0b\r\n", 11);
  ASSERT_TRUE(files_.WriteReplace(Path("x.ini"), bytes));
  EXPECT_EQ(files_.Read(Path("x.ini")).value(), bytes);
  ASSERT_TRUE(files_.WriteReplace(Path("x.ini"), "new"));
  EXPECT_EQ(files_.Read(Path("x.ini")).value(), "new");
  EXPECT_EQ(Entries(), 1) << "no temporary file is left behind";
}

TEST_F(PosixFilesTest, FailedWriteKeepsTheOldFileWhole) {
  ASSERT_TRUE(files_.WriteReplace(Path("x.ini"), "old content"));
  for (long after : {0L, 3L, 100000L}) {
    files_.FailWritesAfter(after);
    std::string big(200000, 'z');
    EXPECT_FALSE(files_.WriteReplace(Path("x.ini"), big)) << after;
    EXPECT_EQ(files_.Read(Path("x.ini")).value(), "old content");
    EXPECT_EQ(Entries(), 1);
  }
  files_.FailWritesAfter(-1);
  EXPECT_TRUE(files_.WriteReplace(Path("x.ini"), "fine"));
}

TEST_F(PosixFilesTest, ReadOnlyTargetIsNotReplaced) {
  ASSERT_TRUE(files_.WriteReplace(Path("ro.ini"), "keep"));
  chmod(Path("ro.ini").c_str(), 0444);
  EXPECT_FALSE(files_.WriteReplace(Path("ro.ini"), "lost"));
  EXPECT_EQ(files_.Read(Path("ro.ini")).value(), "keep");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(PosixFilesTest, BackslashesAndCaseFindTheSameFolder) {
  ASSERT_TRUE(files_.CreateFolder(Path("avsinc")));
  EXPECT_FALSE(files_.CreateFolder(Path("avsinc"))) << "an existing folder is reported, not replaced";
  ASSERT_TRUE(files_.WriteReplace(dir_ + "/avsinc\\default.avs", "x"));
  EXPECT_TRUE(files_.IsFile(Path("avsinc/default.avs")));
  EXPECT_TRUE(files_.IsFile(dir_ + "/AVSinc\\DEFAULT.avs"));
  auto names = files_.ListFiles(Path("AVSinc"), "*.avs");
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(*names, std::vector<std::string>{"default.avs"});
}

TEST_F(PosixFilesTest, ListingHoldsMatchingFilesOnlyInNameOrder) {
  for (const char* n : {"b.ini", "A.ini", "fast.2pass.ini", ".ini", "notes.txt", "c.INI"})
    ASSERT_TRUE(files_.WriteReplace(Path(n), ""));
  ASSERT_TRUE(files_.CreateFolder(Path("sub.ini")));
  auto names = files_.ListFiles(dir_ + "/", "*.ini");
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(*names, (std::vector<std::string>{".ini", "A.ini", "b.ini", "c.INI", "fast.2pass.ini"}));
  EXPECT_FALSE(files_.ListFiles(Path("missing"), "*.ini").has_value());
}

TEST_F(PosixFilesTest, MissingFilesReadAsNothing) {
  EXPECT_FALSE(files_.Read(Path("none")).has_value());
  EXPECT_FALSE(files_.Read(dir_).has_value()) << "a folder is not a file";
  EXPECT_FALSE(files_.Remove(Path("none")));
  EXPECT_FALSE(files_.IsFile(dir_));
}

// A batch import writes thousands of new wrappers into one folder; looking
// for another spelling of each new name must not read the folder each time.
TEST_F(PosixFilesTest, NewFilesInOneFolderReadItOnce) {
  ASSERT_TRUE(files_.CreateFolder(Path("avs")));
  const int before = files_.FolderReads();
  for (int i = 0; i < 300; ++i) {
    std::string name = dir_ + "/avs\\clip";
    name += std::to_string(i);
    ASSERT_TRUE(files_.WriteReplace(name + ".mkv.avs", "w", Flush::Lazily));
  }
  EXPECT_LE(files_.FolderReads() - before, 1);
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(static_cast<int>(std::distance(fs::directory_iterator(Path("avs")), fs::directory_iterator())), 300)
      << "no temporary file is left behind";
  // the names this layer made are found in any spelling
  EXPECT_TRUE(files_.IsFile(dir_ + "/AVS/CLIP7.MKV.AVS"));
  EXPECT_EQ(files_.Read(dir_ + "/Avs/Clip299.mkv.avs").value_or(""), "w");
}

TEST_F(PosixFilesTest, NamesMadeByOthersAreFoundAfterTheFolderChanged) {
  ASSERT_TRUE(files_.WriteReplace(Path("mine.ini"), "m"));
  EXPECT_FALSE(files_.IsFile(Path("THEIRS.INI")));
  std::ofstream(Path("Theirs.ini")) << "t";
  EXPECT_EQ(files_.Read(Path("THEIRS.INI")).value_or(""), "t");
  ASSERT_TRUE(files_.Remove(Path("theirs.ini")));
  EXPECT_FALSE(files_.IsFile(Path("Theirs.ini")));
  // a new file of another spelling replaces the old one in place
  std::ofstream(Path("Other.ini")) << "o";
  ASSERT_TRUE(files_.WriteReplace(Path("OTHER.ini"), "new"));
  EXPECT_EQ(files_.Read(Path("Other.ini")).value_or(""), "new");
  EXPECT_FALSE(fs::exists(Path("OTHER.ini"))) << "no second spelling";
  EXPECT_EQ(Entries(), 2);
}

TEST_F(PosixFilesTest, OnlyLazyWritesSkipTheFlush) {
  ASSERT_TRUE(files_.WriteReplace(Path("settings.ini"), "a"));
  EXPECT_EQ(files_.Flushes(), 1);
  ASSERT_TRUE(files_.WriteReplace(Path("clip.mkv.avs"), "b", Flush::Lazily));
  EXPECT_EQ(files_.Flushes(), 1);
  EXPECT_EQ(files_.Read(Path("clip.mkv.avs")).value_or(""), "b");
  ASSERT_TRUE(files_.WriteReplace(Path("settings.ini"), "c", Flush::ToDisk));
  EXPECT_EQ(files_.Flushes(), 2);
}

TEST_F(PosixFilesTest, ContentInPiecesIsWrittenWholeOrNotAtAll) {
  const std::vector<std::string> parts = {"first ", std::string(70000, 'm'), "", "last"};
  auto from = [&parts] {
    return Pieces([&parts, i = size_t{0}](std::string_view& piece) mutable {
      if (i == parts.size()) return false;
      piece = parts[i++];
      return true;
    });
  };
  ASSERT_TRUE(files_.WriteReplaceFrom(Path("x.bat"), from()));
  EXPECT_EQ(files_.Read(Path("x.bat")).value(), "first " + std::string(70000, 'm') + "last");
  files_.FailWritesAfter(65540);  // in the second piece
  EXPECT_FALSE(files_.WriteReplaceFrom(Path("x.bat"), from()));
  EXPECT_EQ(files_.Read(Path("x.bat")).value().size(), 70010u) << "the old file stays whole";
  EXPECT_EQ(Entries(), 1);
}

}  // namespace
}  // namespace tw
