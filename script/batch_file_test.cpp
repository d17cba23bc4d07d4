#include "script/batch_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "script/script_fixture.h"

namespace tw {
namespace {

using enum ControlId;

// A form that counts the redraw holds around the list walk and the
// selections made in the list.
class HoldCountingForm : public FormModel {
 public:
  void HoldRedraw(ControlId id, bool hold) override {
    if (id == JobList) held += hold ? 1 : -1;
    if (id == JobList && hold) ++holds;
  }
  void SetState(ControlId id, int state) override {
    if (id == JobList) ++selections;
    FormModel::SetState(id, state);
  }
  int held = 0;
  int holds = 0;
  int selections = 0;
};

struct BatchFixture {
  explicit BatchFixture(std::string programFolder = "C:\\enc\\")
      : dialogs(log, '/'), processes(log), platform{files, dialogs, media, processes, std::move(programFolder)} {}
  std::string Path(const std::string& name) const { return (folder.path / name).string(); }
  // Make BAT answered with `name`; what the file holds afterwards.
  std::optional<std::string> Save(const std::string& name) {
    dialogs.Queue({"save", Path(name)});
    OnMakeBatButton(app, {ControlId::MakeBatButton});
    return files.Read(Path(BatchFileName(name)));
  }
  std::ostringstream log;
  HoldCountingForm form;
  ScriptedDialogs dialogs;
  ScriptedMedia media;
  ScriptedProcesses processes;
  PosixFiles files;
  TempFolder folder;
  Platform platform;
  App app{form, platform};
};

const std::string kHead = "@cd /d \"C:\\enc\\\"\r\n@quillon.exe run\r\n@call quillon.bat\r\n@del quillon.bat\r\n";

TEST(MakeBat, EmptyListGivesTheHead) {
  BatchFixture fx;
  EXPECT_EQ(fx.Save("jobs"), kHead);
  EXPECT_FALSE(std::filesystem::exists(fx.Path("jobs")));
  EXPECT_EQ(fx.log.str(), "dialog save title=\"\" text=\"\" filter=\"Batch File|*.BAT\" preset=\"\"\n");
}

TEST(MakeBat, OtherExtensionsStay) {
  BatchFixture fx;
  EXPECT_EQ(fx.Save("jobs.cmd"), kHead);
  EXPECT_FALSE(std::filesystem::exists(fx.Path("jobs.cmd.bat")));
  EXPECT_EQ(BatchFileName("D:\\a.b\\jobs"), "D:\\a.b\\jobs.bat");
  EXPECT_EQ(BatchFileName("D:\\a\\jobs.BAT"), "D:\\a\\jobs.BAT");
}

TEST(MakeBat, EveryLineAsItStandsAndTheLastSelected) {
  BatchFixture fx;
  for (const char* line : {"@echo.", "@rem @x264.exe --progress 50%", "@echo+"}) fx.form.AddItem(JobList, line);
  EXPECT_EQ(fx.Save("jobs.bat"), kHead + "@echo.\r\n@rem @x264.exe --progress 50%\r\n@echo+\r\n");
  EXPECT_EQ(fx.form.State(JobList), 2);
  EXPECT_EQ(fx.form.ItemCount(JobList), 3);
}

TEST(MakeBat, WritingTwiceGivesIdenticalFiles) {
  BatchFixture fx;
  fx.form.AddItem(JobList, "@echo Input:\"D:\\in\\clip.avs\"");
  fx.Save("one");
  fx.Save("two");
  fx.Save("one");
  const auto one = fx.files.Read(fx.Path("one.bat"));
  ASSERT_TRUE(one.has_value());
  EXPECT_EQ(one, fx.files.Read(fx.Path("two.bat")));
  EXPECT_EQ(*one, kHead + "@echo Input:\"D:\\in\\clip.avs\"\r\n");
}

TEST(MakeBat, CancelWritesNothing) {
  BatchFixture fx;
  fx.dialogs.Queue({"cancel", ""});
  OnMakeBatButton(fx.app, {ControlId::MakeBatButton});
  EXPECT_TRUE(std::filesystem::is_empty(fx.folder.path / "avs"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fx.folder.path), {}), 1);
}

TEST(MakeBat, UnwritableTargetIsLeftAlone) {
  BatchFixture fx;
  fx.files.FailWritesAfter(5);
  fx.form.AddItem(JobList, "@echo.");
  fx.Save("jobs");
  EXPECT_FALSE(std::filesystem::exists(fx.Path("jobs.bat")));
  fx.files.FailWritesAfter(-1);
  fx.dialogs.Queue({"save", fx.Path("missing\\jobs")});
  OnMakeBatButton(fx.app, {ControlId::MakeBatButton});
  EXPECT_FALSE(std::filesystem::exists(fx.folder.path / "missing"));
}

TEST(MakeBat, ProgramFolderPercentIsDoubled) {
  BatchFixture fx("C:\\100%\\enc\\");
  EXPECT_TRUE(fx.Save("jobs")->starts_with("@cd /d \"C:\\100%%\\enc\\\"\r\n"));
}

// Each selection scrolls the window's list, so a walk that selected every
// line took seconds for a long list; the last line ends up selected all the
// same. The list does not redraw during the walk.
TEST(MakeBat, SelectsTheLastLineOnceWhateverWasSelected) {
  const struct {
    int lines, selectedBefore, selectedAfter, selections;
  } cases[] = {{0, -1, -1, 0}, {1, -1, 0, 1}, {3, 0, 2, 1}, {2000, 700, 1999, 1}};
  for (const auto& c : cases) {
    BatchFixture fx;
    std::string expected = kHead;
    for (int i = 0; i < c.lines; ++i) {
      std::string line = "@echo line ";
      line += std::to_string(i);
      fx.form.AddItem(JobList, line);
      expected += line + "\r\n";
    }
    fx.form.SetState(JobList, c.selectedBefore);
    fx.form.selections = 0;
    EXPECT_EQ(fx.Save("jobs"), expected) << c.lines;
    EXPECT_EQ(fx.form.State(JobList), c.selectedAfter) << c.lines;
    EXPECT_EQ(fx.form.selections, c.selections) << c.lines;
    EXPECT_EQ(fx.form.holds, 1);
    EXPECT_EQ(fx.form.held, 0);
  }
}

// A long list goes to the file in pieces of about 64 KiB, never whole; the
// pieces joined are the text, and each ends at the end of a line.
TEST(MakeBat, LongListsAreWrittenInPiecesOfWholeLines) {
  BatchFixture fx;
  const std::string line(300, 'x');
  for (int i = 0; i < 1000; ++i) fx.form.AddItem(JobList, line);
  BatchFilePieces pieces(fx.form, "C:\\enc\\");
  std::string joined;
  std::string_view piece;
  int count = 0;
  while (pieces.Next(piece)) {
    ++count;
    EXPECT_LT(piece.size(), 65536u + line.size() + 2);
    EXPECT_TRUE(piece.ends_with("\r\n"));
    joined += piece;
  }
  pieces.Finish();
  EXPECT_EQ(count, 5);
  EXPECT_EQ(joined, fx.Save("jobs"));
  EXPECT_EQ(joined.size(), kHead.size() + 1000u * 302u);
}

// A batch file that cannot be created stops Make BAT before the list is
// walked: the selection stays where it was and the list redraws again.
TEST(MakeBat, AFileThatCannotBeCreatedLeavesTheSelection) {
  BatchFixture fx;
  for (const char* line : {"a", "b", "c"}) fx.form.AddItem(JobList, line);
  fx.form.SetState(JobList, 0);
  fx.dialogs.Queue({"save", fx.Path("missing/jobs.bat")});
  OnMakeBatButton(fx.app, {ControlId::MakeBatButton});
  EXPECT_FALSE(std::filesystem::exists(fx.folder.path / "missing"));
  EXPECT_EQ(fx.form.State(JobList), 0);
  fx.dialogs.Queue({"save", fx.Path("jobs.bat")});
  OnMakeBatButton(fx.app, {ControlId::MakeBatButton});
  EXPECT_EQ(fx.form.State(JobList), 2);
}

}  // namespace
}  // namespace tw
