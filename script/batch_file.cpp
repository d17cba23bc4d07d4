#include "script/batch_file.h"

#include "script/batch_text.h"

namespace tw {

using enum ControlId;

std::string BatchFileText(Form& form, const std::string& programFolder) {
  std::string text = "@cd /d " + QuotedName(programFolder) + "\r\n";
  text += "@quillon.exe run\r\n@call quillon.bat\r\n@del quillon.bat\r\n";
  form.HoldRedraw(JobList, true);
  const int count = form.ItemCount(JobList);
  for (int i = 0; i < count; ++i) {
    text += form.ItemText(JobList, i);
    text += "\r\n";
  }
  // The walk ends on the last line, which is left selected. It is selected
  // once at the end: selecting every line on the way scrolls the list each
  // time, which makes a long list take seconds in the window.
  if (count > 0) form.SetState(JobList, count - 1);
  form.HoldRedraw(JobList, false);
  return text;
}

std::string BatchFileName(const std::string& chosen) {
  return FileNamePart(chosen).find('.') == std::string::npos ? chosen + ".bat" : chosen;
}

void OnMakeBatButton(App& app, EventType) {
  const std::string chosen = app.platform.dialogs.Save({.title = "", .filter = "Batch File|*.BAT", .preset = ""});
  if (chosen.empty()) return;
  // Built whole in memory first so that a failed write leaves no half file.
  const std::string text = BatchFileText(app.form, app.platform.programFolder);
  app.platform.files.WriteReplace(BatchFileName(chosen), text);
}

}  // namespace tw
