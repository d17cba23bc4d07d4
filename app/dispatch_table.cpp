// Which action each button runs; the fields, boxes, lists and bars run the
// control rules of ui/rule_table.cpp. A control without either is ignored.
#include "app/dispatch_table.h"

#include <array>

#include "app/event_loop.h"
#include "app/startup.h"
#include "jobs/file_choosers.h"
#include "jobs/job_list.h"
#include "settings/settings_actions.h"
#include "ui/folder_lists.h"

namespace tw {
namespace {

using enum ControlId;

struct Row {
  ControlId control;
  Action action;
};

// Most actions need the form and the platform alone.
template <FormAction* F>
void On(App& app, const Event&) {
  F(app.form, app.platform);
}

constexpr Row kDispatch[] = {
    // Folder lists and settings
    {RefreshButton,
     [](App& app, const Event&) {
       RefreshLists(app.form, app.platform);
       // A user who has just put an x264.exe in place presses this too.
       LookForX264(app.form, app.platform);
     }},
    {LoadDefaultButton, On<OnLoadDefaultButton>},
    {SaveConfigButton, On<OnSaveConfigButton>},
    {LoadConfigButton, On<OnLoadConfigButton>},

    // File choosers and the job list
    {InputFileBrowseButton, On<OnInputFileBrowseButton>},
    {OutputFileBrowseButton, On<OnOutputFileBrowseButton>},
    {StatsFileBrowseButton, On<OnStatsFileBrowseButton>},
    {LogFileBrowseButton, On<OnLogFileBrowseButton>},
    {FilesInputButton, On<OnFilesInputButton>},
    {AddButton, On<OnAddButton>},
    {ClearButton, [](App& app, const Event&) { OnClearButton(app.form, app.platform, app.listWritten); }},
    {DisableButton, On<OnDisableButton>},
    {UpButton, On<OnUpButton>},
    {DownButton, On<OnDownButton>},
    {EditButton, On<OnEditButton>},
    {ViewButton, On<OnViewButton>},
    {DeleteButton, On<OnDeleteButton>},
    {MakeBatButton, [](App& app, const Event&) { OnMakeBatButton(app.form, app.platform, app.listWritten); }},

    // Run script and shutdown line
    {StartButton, [](App& app, const Event&) { OnStartButton(app.form, app.platform, app.running, app.listWritten); }},
    {ShutButton, On<OnShutButton>},

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
