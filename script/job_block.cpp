// PLACEHOLDER, to be replaced by the script branch's job_block.cpp on merge:
// only the naming steps and the three header lines, enough for the job list
// to be exercised before the real pass lines exist. No wrapper is written.
#include "script/job_block.h"

namespace tw {

using enum ControlId;

void PrepareJobFiles(App& app, const std::string& outputFolder) {
  Form& f = app.form;
  std::string input = f.Text(InputFileEdit);
  if (input.empty()) return;
  std::string name = input.substr(input.find_last_of("\\/") == std::string::npos ? 0 : input.find_last_of("\\/") + 1);
  std::string stem = name.find('.') == std::string::npos ? name : name.substr(0, name.rfind('.') + 1);
  f.SetText(StatsFileEdit, app.platform.programFolder + "stats\\" + name + ".stat");
  f.SetText(LogFileEdit, app.platform.programFolder + "log\\" + name + ".txt");
  f.SetText(OutputFileEdit, outputFolder + stem + "mp4");
}

void AddJobLines(App& app) {
  Form& f = app.form;
  if (f.Text(InputFileEdit).empty() || f.Text(OutputFileEdit).empty()) return;
  f.AddItem(JobList, "@echo Input:\"" + f.Text(InputFileEdit) + "\"");
  f.AddItem(JobList, "@echo Output:\"" + f.Text(OutputFileEdit) + "\"");
  f.AddItem(JobList, "@echo Encode Mode:" + f.Text(EncodeModeCombo));
  for (ControlId id : {InputFileEdit, OutputFileEdit, StatsFileEdit, LogFileEdit}) f.SetText(id, "");
}

}  // namespace tw
