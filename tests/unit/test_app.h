// A form model, scripted dialogs and processes and files in memory, whose
// current folder stands for the folder the program was started in.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/context.h"
#include "platform/faulty_files.h"
#include "platform/headless/scripted.h"
#include "platform/memory_files.h"
#include "tests/unit/western_pages.h"
#include "ui/form_model.h"

namespace tw {

class TestApp : public ::testing::Test {
 protected:
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

  std::ostringstream log;
  FormModel form;
  MemoryFiles disk;
  FaultyFiles files{disk};
  ScriptedDialogs dialogs{log, '\\'};
  ScriptedMedia media;
  ScriptedProcesses processes{log};
  WesternPages pages;
  Platform platform{files, dialogs, media, processes, "C:\\Prog\\", pages};
  App app{form, platform};
};

}  // namespace tw
