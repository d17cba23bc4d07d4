// A form and platform as the script builders see them after start-up, for
// the script unit tests. The program folder holds an empty "avs" folder.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/startup.h"
#include "platform/faulty_files.h"
#include "platform/headless/scripted.h"
#include "platform/memory_files.h"
#include "script/audio_mux.h"
#include "ui/form_model.h"

namespace tw {

struct ScriptFixture {
  ScriptFixture() : dialogs(log, '/'), processes(log) {
    FillFixedLists(form);
    SetStartStates(form);
    // The factory defaults as they matter for the lines.
    using enum ControlId;
    form.SetState(TrellisCombo, 0);
    form.SetChecked(FastPSkipCheck, true);
    form.SetChecked(DctDecimateCheck, true);
    form.SetChecked(LogFileCheck, true);
    form.SetText(InputFileEdit, "C:\\enc\\avs\\clip.mkv.avs");
    form.SetText(OutputFileEdit, "D:\\video\\clip.mp4");
    form.SetText(StatsFileEdit, "C:\\enc\\stats\\clip.mkv.stat");
    form.SetText(LogFileEdit, "C:\\enc\\log\\clip.mkv.txt");
    form.DropPendingEvents();
    disk.CreateFolders(kProg + "avs");
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < form.ItemCount(ControlId::JobList); ++i) lines.push_back(form.ItemText(ControlId::JobList, i));
    return lines;
  }

  // The job as the builders get it: the wrapper and the clip it names.
  JobInput Input() const { return {form.Text(ControlId::InputFileEdit), "D:\\in\\clip.mkv"}; }

  std::ostringstream log;
  FormModel form;
  ScriptedDialogs dialogs;
  ScriptedMedia media;
  ScriptedProcesses processes;
  MemoryFiles disk;
  FaultyFiles files{disk};
  inline static const std::string kProg = "C:\\enc\\";
};

}  // namespace tw
