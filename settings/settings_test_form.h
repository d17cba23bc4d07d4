// A started form in a program folder of its own, on files in memory, for
// the settings tests.
#pragma once

#include <sstream>
#include <string>

#include "app/event_loop.h"
#include "app/startup.h"
#include "platform/faulty_files.h"
#include "platform/headless/scripted.h"
#include "platform/memory_files.h"
#include "ui/folder_lists.h"
#include "ui/form_model.h"

namespace tw {

class SettingsForm {
 public:
  SettingsForm()
      : dialogs_(log_, '\\'),
        processes_(log_),
        platform_{files_, dialogs_, media_, processes_, kFolder},
        app_(form_, platform_) {
    disk_.CreateFolders(kFolder);
    CreateWorkingFolders(files_, kFolder);
    FillFixedLists(form_);
    SetStartStates(form_);
    RefreshLists(app_);
    form_.DropPendingEvents();
  }

  FormModel& form() { return form_; }
  App& app() { return app_; }
  MemoryFiles& disk() { return disk_; }
  FaultyFiles& files() { return files_; }
  ScriptedDialogs& dialogs() { return dialogs_; }
  std::string DialogLog() const { return log_.str(); }
  // The program folder, ending in a separator.
  const std::string& folder() const { return kFolder; }

  void WriteFile(const std::string& name, const std::string& bytes) { disk_.WriteReplace(kFolder + name, bytes); }
  std::string ReadFile(const std::string& name) { return disk_.Read(kFolder + name).value_or(""); }
  bool Exists(const std::string& name) { return disk_.IsFile(kFolder + name); }
  // Every name in the program folder and below, for "nothing else was written".
  std::string Listing() const {
    std::string all;
    for (const std::string& path : disk_.Below(kFolder)) all += path + "\n";
    return all;
  }

  // A pressed button, with the events its texts raise.
  void Press(ControlId id) {
    HandleEvent(app_, {id, EventType::None});
    RunPendingEvents(app_);
  }

 private:
  inline static const std::string kFolder = "C:\\Prog\\";

  std::ostringstream log_;
  MemoryFiles disk_;
  FaultyFiles files_{disk_};
  ScriptedDialogs dialogs_;
  ScriptedMedia media_;
  ScriptedProcesses processes_;
  Platform platform_;
  FormModel form_;
  App app_;
};

}  // namespace tw
