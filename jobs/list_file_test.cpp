#include "jobs/list_file.h"

#include <gtest/gtest.h>

#include "script/batch_text.h"
#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// Files that note the size and end of every piece they are handed.
struct PieceNotes : MemoryFiles {
  bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush) override {
    return MemoryFiles::WriteReplaceFrom(
        path,
        [&](std::string_view& piece) {
          if (!next(piece)) return false;
          sizes.push_back(piece.size());
          wholeLines = wholeLines && piece.ends_with("\r\n");
          return true;
        },
        flush);
  }
  std::vector<size_t> sizes;
  bool wholeLines = true;
};

// Each selection scrolls the window's list, so a walk that selected every
// line took seconds for a long list; the last line ends up selected all the
// same. A long list goes to the file in pieces of about 64 KiB of whole
// lines, never whole.
TEST(WriteJobList, SelectsTheLastLineOnceAndWritesPiecesOfWholeLines) {
  const struct {
    int lines, selectedBefore, selectedAfter, selections, pieces;
  } cases[] = {{0, -1, -1, 0, 1}, {1, -1, 0, 1, 1}, {3, 0, 2, 1, 1}, {1000, 700, 999, 1, 5}};
  for (const auto& c : cases) {
    RedrawWatch form;
    PieceNotes files;
    ScriptedDialogs dialogs{std::cout, '\\'};
    ScriptedMedia media;
    ScriptedProcesses processes{std::cout};
    Platform platform{files, dialogs, media, processes, "C:\\Prog\\"};
    const std::string head = ListHead(platform.programFolder, false);
    std::string expected = head;
    for (int i = 0; i < c.lines; ++i) {
      const std::string line = std::string(300, 'x') + std::to_string(i);
      form.AddItem(JobList, line);
      expected += line + "\r\n";
    }
    form.SetState(JobList, c.selectedBefore);
    form.selections = 0;
    EXPECT_TRUE(WriteJobList(form, platform, "jobs.bat", head));
    EXPECT_EQ(files.Read("jobs.bat"), expected) << c.lines;
    EXPECT_EQ(form.State(JobList), c.selectedAfter) << c.lines;
    EXPECT_EQ(form.selections, c.selections) << c.lines;
    EXPECT_EQ(files.sizes.size(), static_cast<size_t>(c.pieces)) << c.lines;
    for (size_t size : files.sizes) EXPECT_LT(size, 65536u + 400u);
    EXPECT_TRUE(files.wholeLines);
    EXPECT_EQ(form.holds, 1);
    EXPECT_EQ(form.held, 0);
  }
}

// A write that breaks off leaves no file; one that cannot be created
// stops Make BAT before the list is walked, so the selection stays where it
// was and the list redraws again.
TEST(MakeBat, AFileThatCannotBeMadeLeavesNone) {
  const struct {
    const char* name;
    bool breaksOff;
    int selectedAfter;
  } cases[] = {{"jobs", true, 2}, {"missing\\jobs", false, 0}};
  for (const auto& c : cases) {
    TestApp t;
    for (const char* line : {"a", "b", "c"}) t.form.AddItem(JobList, line);
    t.form.SetState(JobList, 0);
    const std::string before = t.Listing();
    if (c.breaksOff) t.files.Inject({.afterBytes = 5});
    t.dialogs.Queue({"save", t.folder() + c.name});
    OnMakeBatButton(t.form, t.platform, t.app.listWritten);
    EXPECT_EQ(t.Listing(), before) << c.name;
    EXPECT_EQ(t.form.State(JobList), c.selectedAfter) << c.name;
  }
}

}  // namespace
}  // namespace tw
