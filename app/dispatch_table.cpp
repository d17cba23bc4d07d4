// Which action each control runs. A control without a row is ignored.
#include "app/dispatch_table.h"

#include <array>

#include "app/event_loop.h"
#include "ui/folder_lists.h"
// rules
// settings
// jobs
// script
#include "script/batch_file.h"
// run

namespace tw {
namespace {

using enum ControlId;

struct Row {
  ControlId control;
  Action action;
};

constexpr Row kDispatch[] = {
    // Track-bar displays, field clamps, the matrix chooser and the control rules

    // Folder lists and settings
    {RefreshButton, OnRefreshButton},

    // File choosers and the job list

    // Batch file
    {MakeBatButton, OnMakeBatButton},

    // Run script and shutdown line

    {CancelButton, RequestClose},
};

std::array<Action, kControlCount> BuildIndex() {
  std::array<Action, kControlCount> index{};
  for (const Row& row : kDispatch) index[Index(row.control)] = row.action;
  return index;
}

}  // namespace

Action ActionOf(ControlId id) {
  static const std::array<Action, kControlCount> index = BuildIndex();
  return index[Index(id)];
}

}  // namespace tw
