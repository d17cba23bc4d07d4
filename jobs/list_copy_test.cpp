// The job list's copy read back, and files arriving during long work.
#include "jobs/list_copy.h"

#include <gtest/gtest.h>

#include "app/arriving_files.h"
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
      {"@echo.\r\n\r\nx264 a\r\n", {"@echo.", "", "x264 a"}, ""},
      {"a\nb", {"a", "b"}, ""},
      {longest + "\r\n", {longest}, ""},
      {"a\r\nb\0c\r\n"s, {}, "line 2 holds a NUL byte"},
      {"a\r\r\n", {}, "line 1 holds a carriage return without a line feed"},
      {"a\n" + longest + "x", {}, "line 2 is longer than 65534 bytes"},
  };
  for (const auto& c : cases) {
    const CopyLines read = ReadListCopy(c.bytes, OnePage());
    EXPECT_EQ(read.lines, c.lines) << c.bytes.substr(0, 20);
    EXPECT_EQ(read.fault, c.fault) << c.bytes.substr(0, 20);
  }
}

TEST(TakeArrivedFiles, RefusesFilesWhileJobsAreBeingAdded) {
  TestApp t;
  ScriptedProgress work;
  t.platform.progress = &work;
  const LongWork adding(work, "Adding file", 2, true);
  TakeArrivedFiles(t.app, {{"C:\\clip.avi"}, {}, {}, false});
  EXPECT_EQ(t.form.Text(InputFileEdit), "");
  EXPECT_NE(t.log.str().find("The files were not taken: jobs are being added."), std::string::npos) << t.log.str();
}

}  // namespace
}  // namespace tw
