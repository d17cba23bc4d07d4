#include "jobs/batch_file.h"

#include <gtest/gtest.h>

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

// The head itself and the dialog are the make_bat_empty scenario's.
// The batch file text as Make BAT writes it, piece by piece.
std::string PiecesText(Form& form, const std::string& programFolder) {
  BatchFilePieces pieces(form, programFolder);
  std::string text;
  std::string_view piece;
  while (pieces.Next(piece)) text += piece;
  pieces.Finish();
  return text;
}

// Each selection scrolls the window's list, so a walk that selected every
// line took seconds for a long list; the last line ends up selected all the
// same.
TEST(MakeBat, SelectsTheLastLineOnceWhateverWasSelected) {
  const struct {
    int lines, selectedBefore, selectedAfter, selections;
  } cases[] = {{0, -1, -1, 0}, {1, -1, 0, 1}, {3, 0, 2, 1}, {2000, 700, 1999, 1}};
  for (const auto& c : cases) {
    RedrawWatch form;
    std::string expected = "@cd /d \"C:\\Prog\\\"\r\n@quillon.exe run\r\n@call quillon.bat\r\n@del quillon.bat\r\n";
    for (int i = 0; i < c.lines; ++i) {
      std::string line = "@echo line ";
      line += std::to_string(i);
      form.AddItem(JobList, line);
      expected += line + "\r\n";
    }
    form.SetState(JobList, c.selectedBefore);
    form.selections = 0;
    EXPECT_EQ(PiecesText(form, "C:\\Prog\\"), expected) << c.lines;
    EXPECT_EQ(form.State(JobList), c.selectedAfter) << c.lines;
    EXPECT_EQ(form.selections, c.selections) << c.lines;
    EXPECT_EQ(form.holds, 1);
    EXPECT_EQ(form.held, 0);
  }
}

// A long list goes to the file in pieces of about 64 KiB, never whole; the
// pieces joined are the text, and each ends at the end of a line.
TEST(MakeBat, LongListsAreWrittenInPiecesOfWholeLines) {
  RedrawWatch form;
  const std::string line(300, 'x');
  for (int i = 0; i < 1000; ++i) form.AddItem(JobList, line);
  BatchFilePieces pieces(form, "C:\\");
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
  EXPECT_EQ(joined, PiecesText(form, "C:\\"));
  EXPECT_EQ(joined.size(), 69u + 1000u * 302u);
  EXPECT_EQ(form.held, 0);
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
    OnMakeBatButton(t.app, {MakeBatButton});
    EXPECT_EQ(t.Listing(), before) << c.name;
    EXPECT_EQ(t.form.State(JobList), c.selectedAfter) << c.name;
  }
}

}  // namespace
}  // namespace tw
