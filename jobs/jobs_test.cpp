// What no scenario sees: redraws, pieces and flushes, and the names cmd cannot
// carry on a Western system ("\x80", the euro sign, is in the ANSI page only).
#include <gtest/gtest.h>

#include <algorithm>

#include "jobs/file_choosers.h"
#include "jobs/job_files.h"
#include "jobs/job_list.h"
#include "jobs/list_file.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

// The window repaints its list after every change of a line unless its
// redraw is held; each operation changes lines only while it is.
TEST(JobList, LinesChangeOnlyWhileTheListHoldsItsRedraw) {
  for (FormAction* action : {OnDisableButton, OnUpButton, OnDownButton, OnEditButton, OnDeleteButton}) {
    TestApp t;
    RedrawWatch watch;
    for (const char* line : {"@echo.", "a", "b", "@echo+", "c"}) watch.AddItem(JobList, line);
    watch.SetState(JobList, 2);
    const unsigned before = watch.ItemChanges(JobList);
    t.dialogs.Queue({"input", "edited"});
    action(watch, t.platform);
    EXPECT_GT(watch.heldChanges, 0u);
    EXPECT_EQ(watch.ItemChanges(JobList) - before, watch.heldChanges);
    EXPECT_EQ(watch.held, 0);
  }
}

// Files that note each piece they are handed: its size, and whether it ends a line.
struct PieceNotes : MemoryFiles {
  bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush) override {
    const auto noted = [&](std::string_view& piece) {
      if (!next(piece)) return false;
      sizes.push_back(piece.size());
      wholeLines = wholeLines && piece.ends_with("\r\n");
      return true;
    };
    return MemoryFiles::WriteReplaceFrom(path, noted, flush);
  }
  std::vector<size_t> sizes;
  bool wholeLines = true;
};

// Selecting each line on the way scrolled the window's list for seconds; the
// last line is selected once at the end, unless the file cannot be made. A
// long list goes to the file in pieces of about 64 KiB of whole lines.
TEST(WriteJobList, SelectsTheLastLineOnceAndWritesPiecesOfWholeLines) {
  const struct {
    int lines, selectedBefore, selectedAfter, selections, pieces;
    const char* file;
  } cases[] = {
      {0, -1, -1, 0, 1, "a.bat"}, {3, 0, 2, 1, 1, "a.bat"}, {1000, 7, 999, 1, 5, "a.bat"}, {3, 0, 0, 0, 0, "x\\a"}};
  for (const auto& c : cases) {
    TestApp t;
    RedrawWatch form;
    PieceNotes files;
    Platform platform{files, t.dialogs, t.media, t.processes, "C:\\Prog\\"};
    std::string expected = "head\r\n";
    for (int i = 0; i < c.lines; ++i) {
      form.AddItem(JobList, std::string(300, 'x') + std::to_string(i));
      expected += form.ItemText(JobList, i) + "\r\n";
    }
    form.SetState(JobList, c.selectedBefore);
    form.selections = 0;
    EXPECT_EQ(WriteJobList(form, platform, c.file, "head\r\n"), c.pieces > 0) << c.lines;
    EXPECT_EQ(files.Read(c.file).value_or(""), c.pieces > 0 ? expected : "") << c.lines;
    EXPECT_EQ(std::pair(form.State(JobList), form.selections), std::pair(c.selectedAfter, c.selections)) << c.lines;
    EXPECT_EQ(files.sizes.size(), static_cast<size_t>(c.pieces)) << c.lines;
    for (size_t size : files.sizes) EXPECT_LT(size, 65536u + 400u);
    EXPECT_TRUE(files.wholeLines);
    EXPECT_EQ(form.held, 0);
  }
}

// A batch import writes thousands of wrappers: a flush each made it many times
// slower. One that cannot be written (no "avs" folder) is not reported, and
// the job still names it.
TEST(PrepareJobFiles, WritesWrappersWithoutAFlushEachAndNamesThemAnyway) {
  TestApp t;
  for (const char* input : {"D:\\in\\a.mkv", "D:\\in\\b.mkv", "D:\\in\\a.mkv"}) {
    t.form.SetText(InputFileEdit, input);
    PrepareJobFiles(t.form, t.platform, "E:\\out\\");
  }
  EXPECT_EQ(t.disk.Flushes(), 0);
  EXPECT_EQ(t.disk.Below(t.folder() + "avs").size(), 2u);
  t.platform.programFolder = "C:\\bare\\";
  t.disk.CreateFolders(t.platform.programFolder);
  t.form.SetText(InputFileEdit, "D:\\in\\clip.mkv");
  PrepareJobFiles(t.form, t.platform, "E:\\out\\");
  EXPECT_EQ(t.form.Text(InputFileEdit), "C:\\bare\\avs\\clip.mkv.avs");
  EXPECT_EQ(t.disk.Below("C:\\bare"), std::vector<std::string>{});
  EXPECT_EQ(t.log.str(), "");
}

using FileChoosersTest = AppTest;

// (A source's own short path and the "_" in names made from it are the
// names round's, under Wine.)
TEST_F(FileChoosersTest, AFolderCmdCannotNameIsNamedByItsShortPath) {
  disk.CreateFolders("D:\\in\\\x80");
  disk.WriteReplace("D:\\in\\\x80\\clip.avs", "");
  disk.GiveShortPath("D:\\in\\\x80\\clip.avs", "D:\\in\\EURO~1\\clip.avs");
  disk.GiveShortPath("D:\\in\\\x80", "D:\\in\\EURO~1");
  disk.WriteReplace("D:\\in\\\x80 x.avs", "");
  const struct {
    const char *chosen, *input, *output;
  } cases[] = {
      {"D:\\in\\\x80\\clip.avs", "\"D:\\in\\EURO~1\\clip.avs\"", "D:\\in\\EURO~1\\clip.mp4"},
      // no short path: the name stays as it is, the best there is
      {"D:\\in\\\x80 x.avs", "\"D:\\in\\\x80 x.avs\"", "D:\\in\\_ x.mp4"},
  };
  for (const auto& c : cases) {
    form.ClearItems(JobList);
    dialogs.Queue({"open", c.chosen});
    Press(InputFileBrowseButton);
    EXPECT_EQ(form.Text(OutputFileEdit), c.output) << c.chosen;
    AddJobLines(form, platform);
    EXPECT_EQ(form.ItemText(JobList, 0), std::string("@echo Input:") + c.input) << c.chosen;
  }
}

TEST_F(FileChoosersTest, ANameCmdCannotCarryForACreatedFileIsRefused) {
  const struct {
    ControlId button, field;
    const char *name, *what;
  } cases[] = {
      {OutputFileBrowseButton, OutputFileEdit, "D:\\o\\\x80.mp4", "output"},
      {StatsFileBrowseButton, StatsFileEdit, "D:\\o\\\x80.stat", "stats"},
      {LogFileBrowseButton, LogFileEdit, "D:\\o\\\x80.txt", "log"},
      // typed by hand: Add refuses it
      {AddButton, OutputFileEdit, "D:\\o\\a \x80.mp4", "output"},
      {AddButton, LogFileEdit, "D:\\o\\\x80.txt", "log"},
  };
  for (const auto& c : cases) {
    log.str("");
    for (ControlId id : {OutputFileEdit, StatsFileEdit, LogFileEdit}) form.SetText(id, "D:\\o\\kept");
    form.SetText(InputFileEdit, "D:\\in\\a.avs");
    if (c.button == AddButton) form.SetText(c.field, c.name);
    if (c.button != AddButton) dialogs.Queue({"save", c.name});
    Press(c.button);
    EXPECT_EQ(form.Text(c.field), c.button == AddButton ? c.name : "D:\\o\\kept") << c.name;
    EXPECT_EQ(form.ItemCount(JobList), 0) << c.name;
    EXPECT_NE(log.str().find(std::string("title=\"File name\" text=\"The ") + c.what + " file \"" + c.name +
                             "\" has the character \"\x80\""),
              std::string::npos)
        << log.str();
  }
}

// A chosen file whose name the ANSI page cannot hold exactly and that has no
// short path is left out by the dialogs; nothing goes on with another name,
// and the one message comes after the jobs that could be added.
TEST_F(FileChoosersTest, AFileTheDialogsLeftOutIsNamedInOneMessage) {
  const std::string kBeetle = "D:\\in\\\xD0\x96\xD1\x83\xD0\xBA.avi";  // UTF-8
  const struct {
    ControlId button;
    std::vector<Answer> answers;
    int jobsAdded;
  } cases[] = {
      {InputFileBrowseButton, {{"open", ""}}, 0},
      {OutputFileBrowseButton, {{"save", ""}}, 0},
      {FilesInputButton, {{"folder", "D:\\out\\"}, {"files", "D:\\in\\a.avs|D:\\in\\b.avs"}}, 2},
      {FilesInputButton, {{"folder", "D:\\out\\"}, {"files", ""}}, 0},
  };
  for (const auto& c : cases) {
    log.str("");
    form.ClearItems(JobList);
    for (ControlId id : {InputFileEdit, OutputFileEdit}) form.SetText(id, "D:\\o\\kept.avs");
    for (const Answer& a : c.answers) dialogs.Queue(a);
    dialogs.LeaveOut(kBeetle);
    Press(c.button);
    EXPECT_EQ(static_cast<int>(std::ranges::count_if(Lines(), [](auto& l) { return l.starts_with("@echo Input:"); })),
              c.jobsAdded);
    if (c.button != FilesInputButton) {
      EXPECT_EQ(form.Text(c.button == InputFileBrowseButton ? InputFileEdit : OutputFileEdit), "D:\\o\\kept.avs");
    }
    const std::string message = "dialog ok title=\"File name\" text=\"This file was not taken:\r\n" + kBeetle + "\r\n";
    EXPECT_NE(log.str().find(message), std::string::npos) << log.str();
    EXPECT_EQ(log.str().find("dialog", log.str().find(message) + 1), std::string::npos) << log.str();
  }
}

}  // namespace
}  // namespace tw
