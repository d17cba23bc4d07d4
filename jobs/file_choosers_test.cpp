#include "jobs/file_choosers.h"

#include "app/dispatch_table.h"
#include "jobs/job_files.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

using FileChoosersTest = AppTest;

// The output names, the emptied fields and Delete in such a list are the
// batch_import scenario's.
TEST_F(FileChoosersTest, ImportOfHundredsOfFilesAddsEveryJobWithoutMarkers) {
  constexpr int kFiles = 600;
  std::string names;
  for (int i = 0; i < kFiles; ++i) {
    if (i > 0) names += '|';
    names.append("D:\\in\\c").append(std::to_string(i)).append(".avs");
  }
  dialogs.Queue({"folder", "D:\\out\\"});
  dialogs.Queue({"files", names});
  OnFilesInputButton(form, platform);
  int inputs = 0;
  for (int i = 0; i < form.ItemCount(JobList); ++i) {
    std::string line = form.ItemText(JobList, i);
    EXPECT_NE(line, "@echo.");
    EXPECT_NE(line, "@echo+");
    if (line.starts_with("@echo Input:")) {
      EXPECT_EQ(line, "@echo Input:\"D:\\in\\c" + std::to_string(inputs) + ".avs\"");
      ++inputs;
    }
  }
  EXPECT_EQ(inputs, kFiles);
}

// The pages are a Western system's: "\x80" (the euro sign) is in the ANSI
// page only, so cmd, reading the console's page, could not name it. (A
// source's own short path and the "_" in names made from it are the names
// round's, under Wine.)
TEST_F(FileChoosersTest, AFolderCmdCannotNameIsNamedByItsShortPath) {
  disk.CreateFolders("D:\\in\\\x80");
  disk.WriteReplace("D:\\in\\\x80\\clip.avs", "");
  disk.GiveShortPath("D:\\in\\\x80\\clip.avs", "D:\\in\\EURO~1\\clip.avs");
  disk.GiveShortPath("D:\\in\\\x80", "D:\\in\\EURO~1");
  disk.WriteReplace("D:\\in\\\x80 x.avs", "");
  const struct {
    const char *chosen, *inputLine, *output;
  } cases[] = {
      {"D:\\in\\\x80\\clip.avs", "@echo Input:\"D:\\in\\EURO~1\\clip.avs\"", "D:\\in\\EURO~1\\clip.mp4"},
      // no short path: the name stays as it is, the best there is
      {"D:\\in\\\x80 x.avs", "@echo Input:\"D:\\in\\\x80 x.avs\"", "D:\\in\\_ x.mp4"},
  };
  for (const auto& c : cases) {
    form.ClearItems(JobList);
    dialogs.Queue({"open", c.chosen});
    OnInputFileBrowseButton(form, platform);
    EXPECT_EQ(form.Text(OutputFileEdit), c.output) << c.chosen;
    AddJobLines(form, platform);
    EXPECT_EQ(form.ItemText(JobList, 0), c.inputLine) << c.chosen;
  }
}

TEST_F(FileChoosersTest, ANameCmdCannotCarryForACreatedFileIsRefused) {
  const struct {
    ControlId button;
    ControlId field;
    const char *name, *message;
  } cases[] = {
      {OutputFileBrowseButton, OutputFileEdit, "D:\\o\\\x80.mp4", "The output file \"D:\\o\\\x80.mp4\""},
      {StatsFileBrowseButton, StatsFileEdit, "D:\\o\\\x80.stat", "The stats file \"D:\\o\\\x80.stat\""},
      {LogFileBrowseButton, LogFileEdit, "D:\\o\\\x80.txt", "The log file \"D:\\o\\\x80.txt\""},
      // typed by hand: Add refuses it
      {AddButton, OutputFileEdit, "D:\\o\\a \x80.mp4", "The output file \"D:\\o\\a \x80.mp4\""},
      {AddButton, LogFileEdit, "D:\\o\\\x80.txt", "The log file \"D:\\o\\\x80.txt\""},
  };
  for (const auto& c : cases) {
    log.str("");
    for (ControlId id : {OutputFileEdit, StatsFileEdit, LogFileEdit}) form.SetText(id, "D:\\o\\kept");
    form.SetText(InputFileEdit, "D:\\in\\a.avs");
    if (c.button == AddButton)
      form.SetText(c.field, c.name);
    else
      dialogs.Queue({"save", c.name});
    ActionOf(c.button)(app, {c.button});
    EXPECT_EQ(form.Text(c.field), c.button == AddButton ? c.name : "D:\\o\\kept") << c.name;
    EXPECT_EQ(form.ItemCount(JobList), 0) << c.name;
    EXPECT_NE(log.str().find(std::string("dialog ok title=\"File name\" text=\"") + c.message +
                             " has the character \"\x80\""),
              std::string::npos)
        << log.str();
  }
}

// A chosen file whose name the ANSI page cannot hold exactly and that has no
// short path is left out by the dialogs; nothing goes on with another name.
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
    ActionOf(c.button)(app, {c.button});
    int jobs = 0;
    for (const std::string& line : Lines()) jobs += line.starts_with("@echo Input:") ? 1 : 0;
    EXPECT_EQ(jobs, c.jobsAdded) << Spec(c.button).name;
    if (c.button != FilesInputButton) {
      const ControlId field = c.button == InputFileBrowseButton ? InputFileEdit : OutputFileEdit;
      EXPECT_EQ(form.Text(field), "D:\\o\\kept.avs");
    }
    // the message comes last, after the jobs that could be added
    const std::string message = "dialog ok title=\"File name\" text=\"This file was not taken:\r\n" + kBeetle + "\r\n";
    EXPECT_NE(log.str().find(message), std::string::npos) << log.str();
    EXPECT_EQ(log.str().find("dialog", log.str().find(message) + 1), std::string::npos) << log.str();
  }
}

}  // namespace
}  // namespace tw
