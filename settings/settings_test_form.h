// A started form in a program folder of its own, for the settings tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "app/event_loop.h"
#include "app/startup.h"
#include "platform/headless/scripted.h"
#include "platform/posix/posix_files.h"
#include "ui/folder_lists.h"
#include "ui/form_model.h"

namespace tw {

class SettingsForm {
 public:
  SettingsForm() : SettingsForm(MakeFolder()) {}

  ~SettingsForm() {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

  FormModel& form() { return form_; }
  App& app() { return app_; }
  PosixFiles& files() { return files_; }
  ScriptedDialogs& dialogs() { return dialogs_; }
  std::string DialogLog() const { return log_.str(); }
  // The program folder, ending in "/".
  const std::string& folder() const { return folder_; }

  void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(folder() + name, std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(folder() + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(folder() + name); }
  // Every file name in the program folder and below, for "nothing else was written".
  std::string Listing() const {
    std::string all;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder()))
      all += e.path().string().substr(folder().size()) + "\n";
    return all;
  }

  // A pressed button, with the events its texts raise.
  void Press(ControlId id) {
    HandleEvent(app_, {id, EventType::None});
    RunPendingEvents(app_);
  }

 private:
  static std::string MakeFolder() {
    // A fresh name each time; create_directory fails on one that exists.
    std::random_device random;
    for (;;) {
      const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                         ("tw-settings-" + std::to_string(random()) + std::to_string(random()));
      if (std::filesystem::create_directory(path)) return path.generic_string() + "/";
    }
  }
  explicit SettingsForm(std::string folder)
      : folder_(folder),
        dialogs_(log_, '/'),
        processes_(log_),
        platform_{files_, dialogs_, media_, processes_, folder},
        app_(form_, platform_) {
    CreateWorkingFolders(files_, folder);
    FillFixedLists(form_);
    SetStartStates(form_);
    RefreshLists(app_);
    form_.DropPendingEvents();
  }

  std::string folder_;
  std::ostringstream log_;
  PosixFiles files_;
  ScriptedDialogs dialogs_;
  ScriptedMedia media_;
  ScriptedProcesses processes_;
  Platform platform_;
  FormModel form_;
  App app_;
};

}  // namespace tw
