#include "script/job_block.h"

#include <gtest/gtest.h>

#include "script/script_fixture.h"
#include "script/wrapper.h"

namespace tw {
namespace {

using enum ControlId;
using Lines = std::vector<std::string>;

struct JobFixture : ScriptFixture {
  JobFixture() : platform{files, dialogs, media, processes, kProg}, app(form, platform) {
    form.AddItem(AvsIncludeCombo, "default");
    form.SetState(AvsIncludeCombo, 0);
  }
  void Choose(const std::string& input, const std::string& outputFolder) {
    form.SetText(InputFileEdit, input);
    PrepareJobFiles(app, outputFolder);
  }
  size_t WrapperCount() const { return disk.Below(kProg + "avs").size(); }
  Platform platform;
  App app;
};

TEST(PrepareJobFiles, AvisynthInputIsUsedDirectly) {
  JobFixture fx;
  fx.Choose("D:\\in\\movie.AVS", "E:\\out\\");
  EXPECT_EQ(fx.form.Text(InputFileEdit), "D:\\in\\movie.AVS");
  EXPECT_EQ(fx.form.Text(OutputFileEdit), "E:\\out\\movie.mp4");
  EXPECT_EQ(fx.form.Text(StatsFileEdit), fx.kProg + "stats\\movie.AVS.stat");
  EXPECT_EQ(fx.form.Text(LogFileEdit), fx.kProg + "log\\movie.AVS.txt");
  EXPECT_EQ(fx.WrapperCount(), 0u);
}

TEST(PrepareJobFiles, OtherMediaGetAWrapper) {
  JobFixture fx;
  fx.Choose("D:\\in\\clip.mkv", "E:\\out\\");
  const std::string wrapper = fx.kProg + "avs\\clip.mkv.avs";
  EXPECT_EQ(fx.form.Text(InputFileEdit), wrapper);
  EXPECT_EQ(fx.form.Text(OutputFileEdit), "E:\\out\\clip.mp4");
  EXPECT_EQ(fx.form.Text(StatsFileEdit), fx.kProg + "stats\\clip.mkv.stat");
  EXPECT_EQ(fx.form.Text(LogFileEdit), fx.kProg + "log\\clip.mkv.txt");
  EXPECT_EQ(fx.files.Read(wrapper),
            "fs=\"D:\\in\\clip.mkv\"\r\nmfn=\"D:\\in\\clip\"\r\nimport(\"..\\avsinc\\default.avs\")\r\n");

  fx.form.SetState(EncodeModeCombo, 2);
  AddJobLines(fx.app);
  const Lines lines = fx.Lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "@echo Input:\"" + wrapper + "\"");
  EXPECT_EQ(lines[1], "@echo Output:\"E:\\out\\clip.mp4\"");
  EXPECT_EQ(lines[2], "@echo Encode Mode:Single Pass - CRF");
  EXPECT_TRUE(lines[3].starts_with("@x264.exe ")) << lines[3];
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit}) EXPECT_EQ(fx.form.Text(id), "");
}

struct NameCase {
  const char* input;
  const char* outputFolder;
  const char* output;
  const char* mfn;
};

const NameCase kNames[] = {
    {"D:\\in\\a.b.mkv", "E:\\out\\", "E:\\out\\a.b.mp4", "D:\\in\\a.b"},
    {"D:\\in\\clip", "E:\\out\\", "E:\\out\\clip.mp4", "D:\\in\\clip"},
    {"D:\\in.x\\clip", "E:\\out\\", "E:\\out\\clip.mp4", "D:\\in.x\\clip"},
    {"D:\\in\\clip.", "E:\\out\\", "E:\\out\\clip.mp4", "D:\\in\\clip"},
    {"D:/in/50%.mkv", "E:\\out\\", "E:\\out\\50%.mp4", "D:/in/50%"},
    // encoded into its own folder, an .mp4 source keeps its name to itself
    {"D:\\in\\clip.mp4", "D:\\in\\", "D:\\in\\clip.x264.mp4", "D:\\in\\clip"},
    {"D:\\In\\clip.MP4", "d:/in/", "d:/in/clip.x264.mp4", "D:\\In\\clip"},
    {"D:\\in\\clip.mp4", "E:\\out\\", "E:\\out\\clip.mp4", "D:\\in\\clip"},
    {"D:\\in\\clip.mkv", "D:\\in\\", "D:\\in\\clip.mp4", "D:\\in\\clip"},
};

class JobNames : public testing::TestWithParam<NameCase> {};

TEST_P(JobNames, FollowTheChosenFile) {
  JobFixture fx;
  fx.Choose(GetParam().input, GetParam().outputFolder);
  EXPECT_EQ(fx.form.Text(OutputFileEdit), GetParam().output);
  EXPECT_EQ(MediaFileStem(GetParam().input), GetParam().mfn);
  const std::optional<std::string> wrapper = fx.files.Read(fx.form.Text(InputFileEdit));
  ASSERT_TRUE(wrapper.has_value());
  EXPECT_NE(wrapper->find("mfn=\"" + std::string(GetParam().mfn) + "\"\r\n"), std::string::npos) << *wrapper;
}

INSTANTIATE_TEST_SUITE_P(All, JobNames, testing::ValuesIn(kNames));

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
    const std::string script = std::string(c.script).starts_with("avs") ? fx.kProg + c.script : c.script;
    ASSERT_EQ(fx.Lines().size(), 4u) << c.chosen;
    EXPECT_TRUE(fx.Lines()[3].starts_with("@bepipe.exe --script \"import(^" + script + "^)\" | ")) << fx.Lines()[3];
    if (!c.firstLine) continue;
    const std::string text = fx.files.Read(script).value_or("");
    EXPECT_EQ(text.substr(0, text.find("\r\n")), c.firstLine) << c.chosen;
  }
}

// A job is refused when a file its lines write is one it reads; a name its
// mode or choices do not write does not count.
TEST(AddJobLines, RefusesAJobThatWritesWhatItReads) {
  const struct {
    const char* chosen;
    int mode;
    int muxer;  // with audio from encoder 1
    bool log;
    ControlId field;
    const char* name;  // "wrapper": the wrapper's path
    bool refused;
  } cases[] = {
      {"D:\\in\\clip.mkv", 3, 3, true, StatsFileEdit, "d:/in/CLIP.mkv", true},
      {"D:\\in\\clip.mkv", 0, 3, true, StatsFileEdit, "D:\\in\\clip.mkv", false},
      {"D:\\in\\clip.mkv", 2, 3, true, LogFileEdit, "D:\\in\\clip.mkv", true},
      {"D:\\in\\clip.mkv", 2, 3, false, LogFileEdit, "D:\\in\\clip.mkv", false},
      {"D:\\in\\clip.mkv", 3, 3, true, OutputFileEdit, "D:\\in\\clip.mkv", false},
      {"D:\\in\\clip.mkv", 2, 4, true, OutputFileEdit, "D:\\in\\clip.mkv", false},
      {"D:\\in\\clip.mkv", 2, 3, true, OutputFileEdit, "wrapper", true},
      {"D:\\in\\x.audio.mp4", 2, 0, true, OutputFileEdit, "D:\\in\\x.mp4", true},
      {"D:\\in\\x.audio.mp4", 2, 0, true, OutputFileEdit, "D:\\in\\y.mp4", false},
      {"D:\\in\\x.audio.mp4", 3, 4, true, OutputFileEdit, "D:\\in\\x.mp4", true},
  };
  for (const auto& c : cases) {
    JobFixture fx;
    fx.Choose(c.chosen, "E:\\out\\");
    fx.form.SetState(EncodeModeCombo, c.mode);
    fx.form.SetState(MuxerCombo, c.muxer);
    fx.form.SetChecked(AudioCheck, true);
    fx.form.SetState(AudioEncoderCombo, 1);
    fx.form.SetChecked(LogFileCheck, c.log);
    const std::string name = c.name == std::string("wrapper") ? fx.form.Text(InputFileEdit) : c.name;
    fx.form.SetText(c.field, name);
    AddJobLines(fx.app);
    EXPECT_EQ(fx.Lines().empty(), c.refused) << c.chosen << " " << c.name;
    EXPECT_EQ(fx.log.str().find("dialog ok title=\"Add\""), c.refused ? 0u : std::string::npos) << fx.log.str();
  }
}

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
  const std::string wrapper = fx.kProg + "avs\\clip.mkv.avs";
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

TEST(AddJobLines, NeedsInputAndOutput) {
  for (auto [input, output] : {std::pair{"", "E:\\o.mp4"}, std::pair{"D:\\i.avs", ""}}) {
    JobFixture fx;
    fx.form.SetText(InputFileEdit, input);
    fx.form.SetText(OutputFileEdit, output);
    AddJobLines(fx.app);
    EXPECT_TRUE(fx.Lines().empty());
    EXPECT_EQ(fx.form.Text(InputFileEdit), input);
    EXPECT_EQ(fx.form.Text(OutputFileEdit), output);
    EXPECT_NE(fx.form.Text(StatsFileEdit), "");
  }
}

TEST(AddJobLines, HeaderNamesHaveTheirPercentDoubled) {
  JobFixture fx;
  fx.Choose("D:\\in\\50%.avs", "E:\\%out%\\");
  fx.form.SetState(MuxerCombo, 4);
  AddJobLines(fx.app);
  ASSERT_GE(fx.Lines().size(), 2u);
  EXPECT_EQ(fx.Lines()[0], "@echo Input:\"D:\\in\\50%%.avs\"");
  EXPECT_EQ(fx.Lines()[1], "@echo Output:\"E:\\%%out%%\\50%%.mp4\"");
}

TEST(AddJobLines, ExpandedModesLeaveTheFormAsItWas) {
  for (int mode : {10, 11, 13}) {
    JobFixture fx;
    fx.Choose("D:\\in\\clip.mkv", "E:\\out\\");
    fx.form.SetState(EncodeModeCombo, mode);
    fx.form.SetChecked(AudioCheck, true);
    fx.form.SetText(RateValueEdit, "1200");
    AddJobLines(fx.app);
    EXPECT_EQ(fx.form.State(EncodeModeCombo), mode);
    EXPECT_EQ(fx.form.Text(RateValueEdit), "1200");
    EXPECT_EQ(fx.form.Text(FirstPassCrfEdit), "16");
    EXPECT_TRUE(fx.form.Checked(AudioCheck));
    EXPECT_EQ(fx.Lines().size(), mode == 13 ? 9u : 8u) << mode;
  }
}

}  // namespace
}  // namespace tw
