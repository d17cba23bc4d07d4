// Which action each control runs. A control without a row is ignored.
#include "app/dispatch_table.h"

#include <array>

#include "app/event_loop.h"
#include "app/startup.h"
#include "settings/settings_actions.h"  // settings
#include "ui/folder_lists.h"
#include "ui/rule_actions.h"  // rules
// jobs
#include "jobs/file_choosers.h"
#include "jobs/job_list.h"
#include "jobs/list_file.h"
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
    // Track-bar displays, the matrix chooser and the control rules
    {DeblockStrengthTrackBar, OnDeblockStrengthTrackBar},
    {DeblockThresholdTrackBar, OnDeblockThresholdTrackBar},
    {BiasTrackBar, OnBiasTrackBar},
    {BiasEdit, OnBiasEdit},
    {RefFramesEdit, OnRefFramesEdit},
    {RateValueEdit, OnRateValueEdit},
    {CqmCombo, OnCqmCombo},
    {EncodeModeCombo, OnEncodeModeCombo},
    {SizeCheck, OnSizeCheck},
    {MaxBFramesEdit, OnMaxBFramesEdit},
    {LogFileCheck, OnLogFileCheck},
    {Transform8x8Check, OnTransform8x8Check},
    {P8x8SearchCheck, OnP8x8SearchCheck},
    {SubmeCombo, OnSubmeCombo},
    {MeMethodCombo, OnMeMethodCombo},
    {CabacCheck, OnCabacCheck},
    {AudioCheck, OnAudioCheck},
    {AudioEncoderCombo, OnAudioEncoderCombo},

    // Folder lists and settings
    {RefreshButton,
     [](App& app, const Event&) {
       RefreshLists(app);
       // A user who has just put an x264.exe in place presses this too.
       LookForX264(app.form, app.platform);
     }},
    {LoadDefaultButton, OnLoadDefaultButton},
    {SaveConfigButton, OnSaveConfigButton},
    {LoadConfigButton, OnLoadConfigButton},

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
  // The clamp table names the clamped fields; a row below may give one of
  // them an action of its own.
  for (ControlId field : ClampedFields()) index[Index(field)] = OnClampedField;
  for (const Row& row : kDispatch) index[Index(row.control)] = row.action;
  return index;
}

}  // namespace

Action ActionOf(ControlId id) {
  static const std::array<Action, kControlCount> index = BuildIndex();
  return index[Index(id)];
}

}  // namespace tw
