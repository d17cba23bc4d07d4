// A cancelled dialog answers with the empty text and each chooser stores
// what it got, so cancelling empties the field on purpose.
#include "jobs/file_choosers.h"

#include <vector>

#include "app/file_names.h"
#include "base/text.h"
#include "jobs/job_files.h"
#include "ui/encode_modes.h"

namespace tw {
namespace {

using enum ControlId;

// A name chosen for a file the job will create, unless cmd could not name it.
void TakeCreatedName(App& app, ControlId field, const char* what, const std::string& name) {
  if (ReportLeftOut(app.platform)) return;
  if (const auto fault = CreatedNameFault(app.platform, what, name)) {
    app.platform.dialogs.Message("File name", *fault);
    return;
  }
  app.form.SetText(field, name);
}

}  // namespace

std::string WithDefaultExtension(const std::string& name) {
  if (name.empty() || HasExtension(name)) return name;
  return name + ".mp4";
}

void OnInputFileBrowseButton(App& app, const Event&) {
  std::string name = app.platform.dialogs.Open({"", "AVS(*.avs)|*.AVS|Other Media|*.*", ""});
  if (ReportLeftOut(app.platform)) return;
  TakeInput(app.form, app.platform, name);
}

void OnOutputFileBrowseButton(App& app, const Event&) {
  std::string name = app.platform.dialogs.Save({"", "MP4(*.mp4)|*.MP4|MKV(*.mkv)|*.MKV|RAW(*.264)|*.264", ""});
  TakeCreatedName(app, OutputFileEdit, "output file", WithDefaultExtension(name));
}

void OnStatsFileBrowseButton(App& app, const Event&) {
  FileDialog d{"", "Statsfile (*.stat)|*.stat", app.form.Text(StatsFileEdit)};
  const EncodeModeRow* mode = FindEncodeMode(app.form.State(EncodeModeCombo));
  const bool readsStats = mode && mode->opensStats;
  if (readsStats) {
    const std::string name = app.platform.dialogs.Open(d);
    if (!ReportLeftOut(app.platform)) app.form.SetText(StatsFileEdit, ExistingPath(app.platform, name));
  } else {
    TakeCreatedName(app, StatsFileEdit, "stats file", app.platform.dialogs.Save(d));
  }
}

void OnLogFileBrowseButton(App& app, const Event&) {
  TakeCreatedName(app, LogFileEdit, "log file",
                  app.platform.dialogs.Save({"", "Log file (*.txt)|*.txt", app.form.Text(LogFileEdit)}));
}

void OnFilesInputButton(App& app, const Event&) {
  if (!EncodeModeChosen(app.form, app.platform)) return;
  std::string folder = app.platform.dialogs.Folder("Select a folder for output", app.platform.programFolder);
  if (folder.empty()) {
    ReportLeftOut(app.platform);
    return;
  }
  const std::string outputFolder = ExistingPath(app.platform, folder);
  std::vector<std::string> names =
      app.platform.dialogs.OpenMany({"Select some files", "AVS(*.AVS)|*.avs|Other Media|*.*", ""});
  const std::vector<std::string> leftOut = app.platform.dialogs.TakeLeftOut();
  // a cancelled selection still runs once with the empty name, which empties the input field
  if (names.empty() && leftOut.empty()) names.emplace_back();
  AddJobs(app.form, app.platform, outputFolder, names);
  // The others are added first; then one message names every file left out.
  ReportLeftOut(app.platform, leftOut);
}

}  // namespace tw
