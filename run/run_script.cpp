#include "run/run_script.h"

#include "script/batch_text.h"
#include "settings/load_save.h"

namespace tw {

std::string ChooseScriptName(Platform& platform, const RunningScript& last) {
  constexpr int kMaxScriptNumber = 999;
  // A running script's file stays until its own last line, so while ours
  // runs an existing file may belong to an older script that still runs.
  const bool lastStillRuns = last.id && platform.processes.IsRunning(*last.id);
  const auto taken = [&](const std::string& name) {
    return lastStillRuns && (name == last.name || platform.files.IsFile(name));
  };
  std::string name = "temp.bat";
  // bounded, so that a file layer that finds every name cannot hang the program
  for (int n = 2; n <= kMaxScriptNumber && taken(name); ++n) name = "temp" + std::to_string(n) + ".bat";
  return name;
}

void OnStartButton(Form& form, Platform& platform, RunningScript& running, ListMark& written) {
  // saved first, so the last-run file is current even when the script shuts the computer down
  SaveSettings(form, platform, kLastRunFile);
  const std::string name = ChooseScriptName(platform, running);
  // cmd reads a running script by offset, so a script still running is
  // never rewritten: the name above is one no running script of ours uses.
  // No line end after the tail: the script deletes itself as its very last act.
  if (!WriteJobList(form, platform, name, ListHead(platform.programFolder, true), "del " + name)) return;
  written.Note(form);
  const std::optional<ProcessId> started =
      platform.processes.StartScript("\"" + name + "\"", platform.programFolder, kIdlePriorityClass);
  if (started) running = {started, name};
}

void OnShutButton(Form& form, Platform&) { form.AddItem(ControlId::JobList, kShutdownLine); }

}  // namespace tw
