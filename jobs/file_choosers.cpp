// A cancelled dialog answers with the empty text and each chooser stores
// what it got, so cancelling empties the field on purpose.
#include "jobs/file_choosers.h"

#include <vector>

#include "base/text.h"
#include "jobs/job_files.h"
#include "platform/cmd_names.h"
#include "ui/encode_modes.h"

namespace tw {
namespace {

using enum ControlId;

// A name chosen for a file the job will create, unless cmd could not name it.
void TakeCreatedName(Form& form, Platform& platform, ControlId field, const char* what, const std::string& name) {
  if (ReportLeftOut(platform)) return;
  if (const auto fault = CreatedNameFault(platform, what, name)) {
    platform.dialogs.Message("File name", *fault);
    return;
  }
  form.SetText(field, name);
}

}  // namespace

std::string WithDefaultExtension(const std::string& name) {
  if (name.empty() || HasExtension(name)) return name;
  return name + ".mp4";
}

void OnInputFileBrowseButton(Form& form, Platform& platform) {
  std::string name = platform.dialogs.Open({"", "AVS(*.avs)|*.AVS|Other Media|*.*", ""});
  if (ReportLeftOut(platform)) return;
  TakeInput(form, platform, name);
}

void OnOutputFileBrowseButton(Form& form, Platform& platform) {
  std::string name = platform.dialogs.Save({"", "MP4(*.mp4)|*.MP4|MKV(*.mkv)|*.MKV|RAW(*.264)|*.264", ""});
  TakeCreatedName(form, platform, OutputFileEdit, "output file", WithDefaultExtension(name));
}

void OnStatsFileBrowseButton(Form& form, Platform& platform) {
  FileDialog d{"", "Statsfile (*.stat)|*.stat", form.Text(StatsFileEdit)};
  const EncodeModeRow* mode = FindEncodeMode(form.State(EncodeModeCombo));
  const bool readsStats = mode && mode->opensStats;
  if (readsStats) {
    const std::string name = platform.dialogs.Open(d);
    if (!ReportLeftOut(platform)) form.SetText(StatsFileEdit, ExistingPath(platform, name));
  } else {
    TakeCreatedName(form, platform, StatsFileEdit, "stats file", platform.dialogs.Save(d));
  }
}

void OnLogFileBrowseButton(Form& form, Platform& platform) {
  TakeCreatedName(form, platform, LogFileEdit, "log file",
                  platform.dialogs.Save({"", "Log file (*.txt)|*.txt", form.Text(LogFileEdit)}));
}

namespace {

// The folder of a batch import's outputs, as cmd can name it; nothing when
// the dialog was cancelled (or left the chosen folder out, which it says).
std::optional<std::string> AskOutputFolder(Platform& platform) {
  std::string folder = platform.dialogs.Folder("Select a folder for output", platform.programFolder);
  if (folder.empty()) {
    ReportLeftOut(platform);
    return std::nullopt;
  }
  return ExistingPath(platform, folder);
}

}  // namespace

void TakeFilesInput(Form& form, Platform& platform, const std::vector<std::string>& names) {
  if (!EncodeModeChosen(form, platform)) return;
  if (const std::optional<std::string> outputFolder = AskOutputFolder(platform))
    AddJobs(form, platform, *outputFolder, names);
}

void OnFilesInputButton(Form& form, Platform& platform) {
  if (!EncodeModeChosen(form, platform)) return;
  const std::optional<std::string> folder = AskOutputFolder(platform);
  if (!folder) return;
  const std::string& outputFolder = *folder;
  std::vector<std::string> names =
      platform.dialogs.OpenMany({"Select some files", "AVS(*.AVS)|*.avs|Other Media|*.*", ""});
  const std::vector<std::string> leftOut = platform.dialogs.TakeLeftOut();
  // a cancelled selection still runs once with the empty name, which empties the input field
  if (names.empty() && leftOut.empty()) names.emplace_back();
  AddJobs(form, platform, outputFolder, names);
  // The others are added first; then one message names every file left out.
  ReportLeftOut(platform, leftOut);
}

}  // namespace tw
