#include "run/run_script.h"

#include "jobs/list_file.h"
#include "script/batch_text.h"
#include "settings/load_save.h"

namespace tw {
namespace {

using enum ControlId;

constexpr int kMaxScriptNumber = 999;

bool Taken(App& app, bool lastStillRuns, const std::string& name) {
  if (!lastStillRuns) return false;
  // A running script's file stays until its own last line, so an existing
  // file may belong to an older script that is still running.
  return name == app.runningScriptName || app.platform.files.IsFile(name);
}

}  // namespace

std::string ChooseScriptName(App& app) {
  bool lastStillRuns = app.runningScript && app.platform.processes.IsRunning(*app.runningScript);
  std::string name = "temp.bat";
  // bounded, so that a file layer that finds every name cannot hang the program
  for (int n = 2; n <= kMaxScriptNumber && Taken(app, lastStillRuns, name); ++n) {
    name = "temp" + std::to_string(n) + ".bat";
  }
  return name;
}

void OnStartButton(App& app, const Event&) {
  // saved first, so the last-run file is current even when the script shuts the computer down
  SaveSettings(app, kLastRunFile);
  std::string name = ChooseScriptName(app);
  // cmd reads a running script by offset, so a script still running is
  // never rewritten: the name above is one no running script of ours uses.
  // No line end after the tail: the script deletes itself as its very last act.
  const std::string head = ListHead(app.platform.programFolder, true);
  if (!WriteJobList(app.form, app.platform, name, head, "del " + name)) return;
  NoteJobListWritten(app);
  std::optional<ProcessId> started =
      app.platform.processes.StartScript("\"" + name + "\"", app.platform.programFolder, kIdlePriorityClass);
  if (!started) return;
  app.runningScript = started;
  app.runningScriptName = name;
}

void OnShutButton(App& app, const Event&) { app.form.AddItem(JobList, kShutdownLine); }

}  // namespace tw
