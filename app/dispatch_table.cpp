// Which action each control runs. A control without a row is ignored.
#include "app/dispatch_table.h"

#include <array>

#include "app/event_loop.h"
#include "ui/folder_lists.h"
// rules
// settings
// jobs
#include "jobs/file_choosers.h"
#include "jobs/job_list.h"
// script
#include "script/batch_file.h"
// run
#include "run/run_script.h"

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
    {InputFileBrowseButton, OnInputFileBrowseButton},
    {OutputFileBrowseButton, OnOutputFileBrowseButton},
    {StatsFileBrowseButton, OnStatsFileBrowseButton},
    {LogFileBrowseButton, OnLogFileBrowseButton},
    {FilesInputButton, OnFilesInputButton},
    {AddButton, OnAddButton},
    {ClearButton, OnClearButton},
    {DisableButton, OnDisableButton},
    {UpButton, OnUpButton},
    {DownButton, OnDownButton},
    {EditButton, OnEditButton},
    {ViewButton, OnViewButton},
    {DeleteButton, OnDeleteButton},

    // Batch file
    {MakeBatButton, OnMakeBatButton},

    // Run script and shutdown line
    {StartButton, OnStartButton},
    {ShutButton, OnShutButton},

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
