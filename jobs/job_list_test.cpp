#include "jobs/job_list.h"

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;
using LineList = std::vector<std::string>;

using JobListTest = AppTest;

// Two added jobs (header lines shortened) and the shutdown line.
const LineList kTwoJobsAndShutdown = {
    "@echo.", "@echo Input:\"a.avs\"",   "x264 a", "@echo+", "@echo.", "@echo Input:\"b.avs\"", "x264 b",
    "@echo+", "shutdown.exe -s -f -t 30"};

struct DeleteCase {
  const char* what;
  LineList before;
  int selected;
  LineList after;
};

const DeleteCase kDeleteCases[] = {
    {"the shutdown line after an added job removes that job, not the shutdown line",
     kTwoJobsAndShutdown,
     8,
     {"@echo.", "@echo Input:\"a.avs\"", "x264 a", "@echo+", "shutdown.exe -s -f -t 30"}},
    {"a line inside the first block",
     kTwoJobsAndShutdown,
     2,
     {"@echo.", "@echo Input:\"b.avs\"", "x264 b", "@echo+", "shutdown.exe -s -f -t 30"}},
    {"the end line of a block removes exactly that block",
     kTwoJobsAndShutdown,
     7,
     {"@echo.", "@echo Input:\"a.avs\"", "x264 a", "@echo+", "shutdown.exe -s -f -t 30"}},
    {"the start line of a block",
     kTwoJobsAndShutdown,
     4,
     {"@echo.", "@echo Input:\"a.avs\"", "x264 a", "@echo+", "shutdown.exe -s -f -t 30"}},
    {"a list from batch import only loses everything",
     {"@echo Input:\"a.avs\"", "x264 a", "@echo Input:\"b.avs\"", "x264 b"},
     2,
     {}},
    {"a disabled end line lets removal run on to the next end line",
     {"@echo.", "x264 a", "@rem @echo+", "@echo.", "x264 b", "@echo+", "tail"},
     1,
     {"tail"}},
    {"a disabled end line in the last block runs to the end of the list",
     {"keep", "@echo+", "@echo.", "x264 a", "@rem @echo+", "after"},
     3,
     {"keep", "@echo+"}},
    {"an end line at the top of the list is removed with what follows up to the next end line",
     {"@echo+", "x", "@echo+", "y"},
     0,
     {"y"}},
    {"the start line is recognised by its first six characters", {"@echo.start", "a", "@echo+ end", "b"}, 1, {"b"}},
    {"a single line", {"only"}, 0, {}},
};

TEST_F(JobListTest, DeleteWalksToTheBlockAroundTheSelection) {
  for (const DeleteCase& c : kDeleteCases) {
    SetLines(c.before);
    Select(c.selected);
    OnDeleteButton(app, {ControlId::DeleteButton});
    EXPECT_EQ(Lines(), c.after) << c.what;
    EXPECT_EQ(Selected(), -1) << c.what;
  }
}

TEST_F(JobListTest, EveryOperationButClearNeedsASelection) {
  for (Action op : {OnDisableButton, OnUpButton, OnDownButton, OnEditButton, OnViewButton, OnDeleteButton}) {
    SetLines({"a", "b"});
    op(app, {});
    EXPECT_EQ(Lines(), (LineList{"a", "b"}));
  }
  EXPECT_EQ(log.str(), "") << "no dialog without a selection";
  OnClearButton(app, {ControlId::ClearButton});
  EXPECT_EQ(Lines(), LineList{});
}

struct DisableCase {
  const char* line;
  const char* once;
};

const DisableCase kDisableCases[] = {
    {"x264 a", "@rem x264 a"},
    {"@rem x264 a", "x264 a"},
    {"@REM x264 a", "@rem @REM x264 a"},  // the comparison is exact
    {"@rem", "@rem @rem"},                // four characters are not the prefix
    {"@rem ", ""},
    {"", "@rem "},
};

TEST_F(JobListTest, DisableTogglesTheExactPrefixAndKeepsTheSelection) {
  for (const DisableCase& c : kDisableCases) {
    SetLines({"first", c.line, "last"});
    Select(1);
    OnDisableButton(app, {ControlId::DisableButton});
    EXPECT_EQ(form.ItemText(JobList, 1), c.once) << c.line;
    EXPECT_EQ(Selected(), 1);
    OnDisableButton(app, {ControlId::DisableButton});
    EXPECT_EQ(form.ItemText(JobList, 1), c.line) << "twice restores";
    EXPECT_EQ(Lines().size(), 3u);
  }
}

struct MoveCase {
  bool up;
  int selected;
  LineList after;
};

const MoveCase kMoveCases[] = {
    {true, 0, {"a", "b", "c"}},  {true, 1, {"b", "a", "c"}},  {true, 2, {"a", "c", "b"}},
    {false, 0, {"b", "a", "c"}}, {false, 1, {"a", "c", "b"}}, {false, 2, {"a", "b", "c"}},
};

TEST_F(JobListTest, UpAndDownSwapNeighboursAndLeaveNoSelection) {
  for (const MoveCase& c : kMoveCases) {
    SetLines({"a", "b", "c"});
    Select(c.selected);
    (c.up ? OnUpButton : OnDownButton)(app, {});
    EXPECT_EQ(Lines(), c.after) << (c.up ? "up " : "down ") << c.selected;
    EXPECT_EQ(Selected(), -1);
  }
}

TEST_F(JobListTest, EditReplacesOnlyWhenConfirmed) {
  struct Case {
    Answer answer;
    const char* after;
  } cases[] = {{{"input", "x264 new"}, "x264 new"}, {{"input", ""}, ""}, {{"cancel", ""}, "x264 old"}};
  for (const Case& c : cases) {
    log.str("");
    SetLines({"a", "x264 old", "c"});
    Select(1);
    dialogs.Queue(c.answer);
    OnEditButton(app, {ControlId::EditButton});
    EXPECT_EQ(log.str(), "dialog input title=\"Edit\" text=\"For expert only!\" filter=\"\" preset=\"x264 old\"\n");
    EXPECT_EQ(Lines(), (LineList{"a", c.after, "c"})) << c.answer.kind;
    EXPECT_EQ(Selected(), -1);
  }
  EXPECT_EQ(dialogs.Pending(), 0u);
}

TEST_F(JobListTest, ViewShowsTheLineAndChangesNothing) {
  SetLines({"a", "@echo Input:\"D:\\in\\clip.avs\""});
  Select(1);
  OnViewButton(app, {ControlId::ViewButton});
  EXPECT_EQ(log.str(),
            "dialog ok title=\"The command line parameter is:\" text=\"@echo Input:\"D:\\in\\clip.avs\"\" filter=\"\" "
            "preset=\"\"\n");
  EXPECT_EQ(Lines(), (LineList{"a", "@echo Input:\"D:\\in\\clip.avs\""}));
  EXPECT_EQ(Selected(), 1);
}

TEST_F(JobListTest, AddTwiceGivesTheJobAndThenAnEmptyBlock) {
  form.SetState(EncodeModeCombo, 0);
  form.SetText(InputFileEdit, "D:\\in\\a.avs");
  form.SetText(OutputFileEdit, "D:\\out\\a.mp4");
  OnAddButton(app, {ControlId::AddButton});
  LineList first = Lines();
  ASSERT_GE(first.size(), 5u);
  EXPECT_EQ(first.front(), "@echo.");
  EXPECT_EQ(first[1], "@echo Input:\"D:\\in\\a.avs\"");
  EXPECT_EQ(first.back(), "@echo+");
  EXPECT_EQ(form.Text(InputFileEdit), "");
  OnAddButton(app, {ControlId::AddButton});
  LineList both = Lines();
  ASSERT_EQ(both.size(), first.size() + 2);
  EXPECT_EQ(both[first.size()], "@echo.");
  EXPECT_EQ(both[first.size() + 1], "@echo+");
}

// The window repaints its list after every change of a line unless its
// redraw is held; each operation changes lines only while it is.
class RedrawWatch : public FormModel {
 public:
  void HoldRedraw(ControlId id, bool hold) override {
    if (id == JobList) held += hold ? 1 : -1;
  }
  void AddItem(ControlId id, std::string_view text, int index = -1) override {
    Note(id);
    FormModel::AddItem(id, text, index);
  }
  void SetItemText(ControlId id, int index, std::string_view text) override {
    Note(id);
    FormModel::SetItemText(id, index, text);
  }
  void RemoveItem(ControlId id, int index) override {
    Note(id);
    FormModel::RemoveItem(id, index);
  }
  int held = 0;
  int changes = 0;
  int unheldChanges = 0;

 private:
  void Note(ControlId id) {
    if (id != JobList) return;
    ++changes;
    if (held <= 0) ++unheldChanges;
  }
};

TEST_F(JobListTest, LinesChangeOnlyWhileTheListHoldsItsRedraw) {
  const struct {
    const char* what;
    Action action;
    int selected;
    LineList after;
  } cases[] = {
      {"disable", OnDisableButton, 2, {"@echo.", "a", "@rem b", "@echo+", "c"}},
      {"up", OnUpButton, 2, {"@echo.", "b", "a", "@echo+", "c"}},
      {"down", OnDownButton, 1, {"@echo.", "b", "a", "@echo+", "c"}},
      {"edit", OnEditButton, 1, {"@echo.", "edited", "b", "@echo+", "c"}},
      {"delete", OnDeleteButton, 2, {"c"}},
  };
  for (const auto& c : cases) {
    RedrawWatch watch;
    App watched{watch, platform};
    for (const char* line : {"@echo.", "a", "b", "@echo+", "c"}) watch.FormModel::AddItem(JobList, line);
    watch.SetState(JobList, c.selected);
    if (c.action == OnEditButton) dialogs.Queue({"input", "edited"});
    c.action(watched, {});
    LineList lines;
    for (int i = 0; i < watch.ItemCount(JobList); ++i) lines.push_back(watch.ItemText(JobList, i));
    EXPECT_EQ(lines, c.after) << c.what;
    EXPECT_GT(watch.changes, 0) << c.what;
    EXPECT_EQ(watch.unheldChanges, 0) << c.what;
    EXPECT_EQ(watch.held, 0) << c.what << ": the hold is released";
  }
}

}  // namespace
}  // namespace tw
