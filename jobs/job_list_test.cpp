#include "jobs/job_list.h"

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

using JobListTest = AppTest;

// The window repaints its list after every change of a line unless its
// redraw is held; each operation changes lines only while it is. What the
// lines become is the job_list_cases scenario's.
TEST_F(JobListTest, LinesChangeOnlyWhileTheListHoldsItsRedraw) {
  const struct {
    const char* what;
    FormAction* action;
    int selected;
  } cases[] = {
      {"disable", OnDisableButton, 2}, {"up", OnUpButton, 2},         {"down", OnDownButton, 1},
      {"edit", OnEditButton, 1},       {"delete", OnDeleteButton, 2},
  };
  for (const auto& c : cases) {
    RedrawWatch watch;
    for (const char* line : {"@echo.", "a", "b", "@echo+", "c"}) watch.FormModel::AddItem(JobList, line);
    watch.SetState(JobList, c.selected);
    if (c.action == OnEditButton) dialogs.Queue({"input", "edited"});
    c.action(watch, platform);
    EXPECT_GT(watch.changes, 0) << c.what;
    EXPECT_EQ(watch.unheldChanges, 0) << c.what;
    EXPECT_EQ(watch.held, 0) << c.what << ": the hold is released";
  }
}

}  // namespace
}  // namespace tw
