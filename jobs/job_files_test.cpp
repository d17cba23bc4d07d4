#include "jobs/job_files.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

struct JobFixture : TestApp {
  JobFixture() {
    form.AddItem(AvsIncludeCombo, "default");
    form.SetState(AvsIncludeCombo, 0);
  }
  void Choose(const std::string& input, const std::string& outputFolder) {
    form.SetText(InputFileEdit, input);
    PrepareJobFiles(form, platform, outputFolder);
  }
  size_t WrapperCount() const { return disk.Below(folder() + "avs").size(); }
};

// A batch import writes thousands of wrappers; flushing each to the disk
// made it many times slower than writing the files. Each is still replaced
// in one step, and written again whenever its job is added again.
TEST(PrepareJobFiles, WrappersAreWrittenWholeWithoutAFlushEach) {
  JobFixture fx;
  for (const char* input : {"D:\\in\\a.mkv", "D:\\in\\b.mkv", "D:\\in\\a.mkv"}) fx.Choose(input, "E:\\out\\");
  EXPECT_EQ(fx.disk.Flushes(), 0);
  EXPECT_EQ(fx.WrapperCount(), 2u);
}

TEST(PrepareJobFiles, FailedWrapperWriteLeavesTheOldWrapperWhole) {
  JobFixture fx;
  const std::string wrapper = fx.folder() + "avs\\clip.mkv.avs";
  ASSERT_TRUE(fx.files.WriteReplace(wrapper, "old wrapper\r\n"));
  fx.files.Inject({.afterBytes = 10});
  fx.Choose("D:\\in\\clip.mkv", "E:\\out\\");
  EXPECT_EQ(fx.form.Text(InputFileEdit), wrapper);
  EXPECT_EQ(fx.files.Read(wrapper), "old wrapper\r\n");
  EXPECT_EQ(fx.WrapperCount(), 1u);
}

TEST(PrepareJobFiles, MissingAvsFolderIsNotReported) {
  JobFixture fx;
  fx.platform.programFolder = "C:\\bare\\";
  ASSERT_TRUE(fx.disk.CreateFolders(fx.platform.programFolder));
  fx.Choose("D:\\in\\clip.mkv", "E:\\out\\");
  EXPECT_EQ(fx.form.Text(InputFileEdit), "C:\\bare\\avs\\clip.mkv.avs");
  EXPECT_EQ(fx.disk.Below("C:\\bare"), std::vector<std::string>{});
}

}  // namespace
}  // namespace tw
