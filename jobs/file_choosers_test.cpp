#include "jobs/file_choosers.h"

#include "jobs/job_list.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

using FileChoosersTest = AppTest;

TEST_F(FileChoosersTest, ImportOfHundredsOfFilesAddsEveryJobWithoutMarkers) {
  constexpr int kFiles = 600;
  std::string names;
  for (int i = 0; i < kFiles; ++i) {
    if (i > 0) names += '|';
    names.append("D:\\in\\c").append(std::to_string(i)).append(".avs");
  }
  dialogs.Queue({"folder", "D:\\out\\"});
  dialogs.Queue({"files", names});
  OnFilesInputButton(app, {ControlId::FilesInputButton});
  int inputs = 0;
  for (int i = 0; i < form.ItemCount(JobList); ++i) {
    std::string line = form.ItemText(JobList, i);
    EXPECT_NE(line, "@echo.");
    EXPECT_NE(line, "@echo+");
    if (line.starts_with("@echo Input:")) {
      EXPECT_EQ(line, "@echo Input:\"D:\\in\\c" + std::to_string(inputs) + ".avs\"");
      ++inputs;
    }
    if (line.starts_with("@echo Output:")) {
      EXPECT_TRUE(line.starts_with("@echo Output:\"D:\\out\\c")) << line;
    }
  }
  EXPECT_EQ(inputs, kFiles);
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit}) EXPECT_EQ(form.Text(id), "");
  // and Delete anywhere in such a list takes it all
  form.SetState(JobList, form.ItemCount(JobList) / 2);
  OnDeleteButton(app, {ControlId::DeleteButton});
  EXPECT_EQ(form.ItemCount(JobList), 0);
}

}  // namespace
}  // namespace tw
