// The copy of the job list read back, names typed beyond the ANSI page, and
// files that arrive while long work runs.
#include "jobs/list_copy.h"

#include <gtest/gtest.h>

#include "app/arriving_files.h"
#include "jobs/job_list.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using namespace std::string_literals;

// Lines end in CR LF or LF, the last perhaps in nothing, and may be empty;
// the first line the list cannot hold sets the whole copy aside.
TEST(ReadListCopy, TakesLinesTheListCanHoldAndNamesTheFirstThatItCannot) {
  const std::string longest(kLongestCopyLine, 'x');
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
    std::string fault;
  } cases[] = {
      {"", {}, ""},
      {"@echo.\r\n\r\nx264 a\r\n", {"@echo.", "", "x264 a"}, ""},
      {"a\nb", {"a", "b"}, ""},
      {longest + "\r\n", {longest}, ""},
      {"a\r\nb\0c\r\n"s, {}, "line 2 holds a NUL byte"},
      {"a\rb\r\n", {}, "line 1 holds a carriage return without a line feed"},
      {"a\r\r\n", {}, "line 1 holds a carriage return without a line feed"},
      {"a\n" + longest + "x", {}, "line 2 is longer than 65534 bytes"},
  };
  for (const auto& c : cases) {
    const CopyLines read = ReadListCopy(c.bytes, OnePage());
    EXPECT_EQ(read.lines, c.lines) << c.bytes.substr(0, 20);
    EXPECT_EQ(read.fault, c.fault) << c.bytes.substr(0, 20);
  }
}

TEST(AddButton, RefusesANameTypedWithACharacterTheAnsiPageLacks) {
  struct Typed : FormModel {
    std::optional<std::string> TextBeyondPage(ControlId id) const override {
      return id == OutputFileEdit ? std::optional<std::string>("D:\\o\\\u03BA.mp4") : std::nullopt;
    }
  } form;
  TestApp t;
  form.SetText(InputFileEdit, "D:\\in\\clip.avs");
  form.SetText(OutputFileEdit, "D:\\o\\?.mp4");
  OnAddButton(form, t.platform);
  EXPECT_EQ(form.ItemCount(JobList), 0);
  EXPECT_NE(t.log.str().find("This file was not taken:\r\nD:\\o\\\u03BA.mp4"), std::string::npos) << t.log.str();
}

TEST(TakeArrivedFiles, RefusesFilesWhileJobsAreBeingAdded) {
  TestApp t;
  t.disk.WriteReplace("C:\\clip.avi", "");
  t.form.SetBusy(true);
  TakeArrivedFiles(t.app, {{"C:\\clip.avi"}, {"C:\\gone.avi"}, {}, true});
  EXPECT_EQ(t.form.Text(InputFileEdit), "");
  EXPECT_EQ(t.log.str(), "dialog ok title=\"tarnwick\" text=\"The files were not taken: jobs are being added. Bring them "
                         "again once that has ended.\" filter=\"\" preset=\"\"\n");
}

}  // namespace
}  // namespace tw
