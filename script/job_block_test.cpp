#include "script/job_block.h"

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
    PrepareJobFiles(app, outputFolder);
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

TEST(PrepareJobFiles, EmptyInputDoesNothing) {
  JobFixture fx;
  fx.form.SetText(OutputFileEdit, "keep");
  fx.Choose("", "E:\\out\\");
  EXPECT_EQ(fx.form.Text(OutputFileEdit), "keep");
  EXPECT_EQ(fx.WrapperCount(), 0u);
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

// The audio line quotes the script it names with "^", so a "^" in a chosen
// path must not reach it; the scripts it names import the chosen file.
TEST(AddJobLines, AudioLineNamesAScriptWithoutCaret) {
  const struct {
    const char* chosen;
    const char* script;  // in the program folder where it starts with "avs"
    const char* firstLine;
  } cases[] = {
      {"D:\\in\\up^arrow.avi", "avs\\up_arrow.avi.avs", "fs=\"D:\\in\\up^arrow.avi\""},
      {"D:\\in\\up^arrow.avs", "avs\\up_arrow.avs.avs", "import(\"D:\\in\\up^arrow.avs\")"},
      {"D:\\a^b\\clip.avi", "avs\\clip.avi.avs", "fs=\"D:\\a^b\\clip.avi\""},
      {"D:\\in\\plain.avs", "D:\\in\\plain.avs", nullptr},
  };
  for (const auto& c : cases) {
    JobFixture fx;
    fx.Choose(c.chosen, "E:\\out\\");
    fx.form.SetState(MuxerCombo, 4);
    AddJobLines(fx.app);
    const std::string script = std::string(c.script).starts_with("avs") ? fx.folder() + c.script : c.script;
    ASSERT_EQ(fx.Lines().size(), 4u) << c.chosen;
    EXPECT_TRUE(fx.Lines()[3].starts_with("@bepipe.exe --script \"import(^" + script + "^)\" | ")) << fx.Lines()[3];
    if (!c.firstLine) continue;
    const std::string text = fx.files.Read(script).value_or("");
    EXPECT_EQ(text.substr(0, text.find("\r\n")), c.firstLine) << c.chosen;
  }
}

}  // namespace
}  // namespace tw
