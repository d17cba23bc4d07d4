#include "jobs/job_list.h"

#include "tests/unit/test_app.h"

namespace tw {
namespace {

using enum ControlId;

using JobListTest = AppTest;

// The window repaints its list after every change of a line unless its
// redraw is held; each operation changes lines only while it is. What the
// lines become is the job_list_cases scenario's.
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
  } cases[] = {
      {"disable", OnDisableButton, 2}, {"up", OnUpButton, 2},         {"down", OnDownButton, 1},
      {"edit", OnEditButton, 1},       {"delete", OnDeleteButton, 2},
  };
  for (const auto& c : cases) {
    RedrawWatch watch;
    App watched{watch, platform};
    for (const char* line : {"@echo.", "a", "b", "@echo+", "c"}) watch.FormModel::AddItem(JobList, line);
    watch.SetState(JobList, c.selected);
    if (c.action == OnEditButton) dialogs.Queue({"input", "edited"});
    c.action(watched, {});
    EXPECT_GT(watch.changes, 0) << c.what;
    EXPECT_EQ(watch.unheldChanges, 0) << c.what;
    EXPECT_EQ(watch.held, 0) << c.what << ": the hold is released";
  }
}

}  // namespace
}  // namespace tw
