// A form and platform as the script builders see them after start-up, for
// the script unit tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/startup.h"
#include "platform/headless/scripted.h"
#include "platform/posix/posix_files.h"
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
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < form.ItemCount(ControlId::JobList); ++i) lines.push_back(form.ItemText(ControlId::JobList, i));
    return lines;
  }

  std::ostringstream log;
  FormModel form;
  ScriptedDialogs dialogs;
  ScriptedMedia media;
  ScriptedProcesses processes;
  PosixFiles files;
};

// A fresh program folder in the temporary folder, removed afterwards.
struct TempFolder {
  TempFolder() {
    path = std::filesystem::temp_directory_path() /
           ("tw_script_" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path / "avs");
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string Slash() const { return path.string() + "/"; }
  static inline int counter = 0;
  std::filesystem::path path;
};

}  // namespace tw
