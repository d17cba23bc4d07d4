// A cancelled dialog answers with the empty text and each chooser stores
// what it got, so cancelling empties the field on purpose.
#include "jobs/file_choosers.h"

#include <vector>

#include "base/text.h"
#include "script/job_block.h"
#include "ui/encode_modes.h"

namespace tw {
namespace {

using enum ControlId;

}  // namespace

std::string WithDefaultExtension(const std::string& name) {
  if (name.empty() || HasExtension(name)) return name;
  return name + ".mp4";
}

void OnInputFileBrowseButton(App& app, const Event&) {
  std::string name = app.platform.dialogs.Open({"", "AVS(*.avs)|*.AVS|Other Media|*.*", ""});
  app.form.SetText(InputFileEdit, name);
  PrepareJobFiles(app, FolderPart(name));
}

void OnOutputFileBrowseButton(App& app, const Event&) {
  std::string name = app.platform.dialogs.Save({"", "MP4(*.mp4)|*.MP4|MKV(*.mkv)|*.MKV|RAW(*.264)|*.264", ""});
  app.form.SetText(OutputFileEdit, WithDefaultExtension(name));
}

void OnStatsFileBrowseButton(App& app, const Event&) {
  FileDialog d{"", "Statsfile (*.stat)|*.stat", app.form.Text(StatsFileEdit)};
  const EncodeModeRow* mode = FindEncodeMode(app.form.State(EncodeModeCombo));
  const bool readsStats = mode && mode->opensStats;
  app.form.SetText(StatsFileEdit, readsStats ? app.platform.dialogs.Open(d) : app.platform.dialogs.Save(d));
}

void OnLogFileBrowseButton(App& app, const Event&) {
  app.form.SetText(LogFileEdit, app.platform.dialogs.Save({"", "Log file (*.txt)|*.txt", app.form.Text(LogFileEdit)}));
}

void OnFilesInputButton(App& app, const Event&) {
  std::string folder = app.platform.dialogs.Folder("Select a folder for output", app.platform.programFolder);
  if (folder.empty()) return;
  app.outputFolder = folder;
  std::vector<std::string> names =
      app.platform.dialogs.OpenMany({"Select some files", "AVS(*.AVS)|*.avs|Other Media|*.*", ""});
  // a cancelled selection still runs once with the empty name, which empties the input field
  if (names.empty()) names.emplace_back();
  app.form.HoldRedraw(JobList, true);
  for (const std::string& name : names) {
    app.form.SetText(InputFileEdit, name);
    PrepareJobFiles(app, app.outputFolder);
    AddJobLines(app);
  }
  app.form.HoldRedraw(JobList, false);
}

}  // namespace tw
