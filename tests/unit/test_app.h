// A form model, scripted dialogs and processes and POSIX files in a fresh
// temporary folder that is also the current folder while a test runs.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/context.h"
#include "platform/headless/scripted.h"
#include "platform/posix/posix_files.h"
#include "ui/form_model.h"

namespace tw {

class TestApp : public ::testing::Test {
 protected:
  TestApp() {
    dir_ = std::filesystem::temp_directory_path() /
           ("tw_jobs_" + std::to_string(getpid()) + "_" + std::to_string(++serial_));
    std::filesystem::create_directories(dir_);
    oldCwd_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  ~TestApp() override {
    std::filesystem::current_path(oldCwd_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  void SetLines(const std::vector<std::string>& lines) {
    form.ClearItems(ControlId::JobList);
    for (const std::string& line : lines) form.AddItem(ControlId::JobList, line);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < form.ItemCount(ControlId::JobList); ++i) lines.push_back(form.ItemText(ControlId::JobList, i));
    return lines;
  }
  void Select(int line) { form.SetState(ControlId::JobList, line); }
  int Selected() const { return form.State(ControlId::JobList); }

  std::filesystem::path dir_;
  std::filesystem::path oldCwd_;
  std::ostringstream log;
  FormModel form;
  PosixFiles files;
  ScriptedDialogs dialogs{log, '\\'};
  ScriptedMedia media;
  ScriptedProcesses processes{log};
  Platform platform{files, dialogs, media, processes, "C:\\Prog\\"};
  App app{form, platform};

 private:
  static inline int serial_ = 0;
};

}  // namespace tw
