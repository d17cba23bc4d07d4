// The program started in a program folder of its own on files in memory,
// with scripted dialogs, media and processes: the one fixture of the unit
// tests. Names without a folder stand in the current folder.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/startup.h"
#include "platform/faulty_files.h"
#include "platform/headless/scripted.h"
#include "platform/memory_files.h"
#include "script/passes.h"
#include "tests/unit/western_pages.h"
#include "ui/folder_lists.h"
#include "ui/form_model.h"

namespace tw {

using enum ControlId;

// A form that counts what the window would repaint: the job list's redraw
// holds (`held` is back at 0 once each is released), the changes of its
// lines made while a hold stood, and its selections.
class RedrawWatch : public FormModel {
 public:
  void HoldRedraw(ControlId id, bool hold) override {
    if (id != JobList) return;
    held += hold ? 1 : -1;
    if (hold) heldFrom = ItemChanges(JobList);
    if (!hold) heldChanges += ItemChanges(JobList) - heldFrom;
  }
  void SetState(ControlId id, int state) override {
    selections += id == JobList ? 1 : 0;
    FormModel::SetState(id, state);
  }
  int held = 0, selections = 0;
  unsigned heldFrom = 0, heldChanges = 0;
};

struct TestApp {
  TestApp() {
    disk.CreateFolders(platform.programFolder);
    CreateWorkingFolders(files, platform.programFolder);
    FillFixedLists(form);
    SetStartStates(form);
    RefreshLists(form, platform);
    form.DropPendingEvents();
  }

  // A button pressed, its action run as the loop runs it.
  void Press(ControlId id) { HandleEvent(app, {id, EventType::None}); }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < form.ItemCount(JobList); ++i) lines.push_back(form.ItemText(JobList, i));
    return lines;
  }
  // The job as the builders get it: the names in the fields, the clip the wrapper names.
  JobFiles Input() const {
    const std::string input = form.Text(InputFileEdit);
    return {input, form.Text(OutputFileEdit), form.Text(StatsFileEdit), form.Text(LogFileEdit), "D:\\in\\clip.mkv",
            input};
  }

  // Names below the program folder.
  const std::string& folder() const { return platform.programFolder; }
  void WriteFile(const std::string& name, const std::string& bytes) { disk.WriteReplace(folder() + name, bytes); }
  // Every file and folder below the program folder, for "nothing else was written".
  std::string Listing() const {
    std::string all;
    for (const std::string& path : disk.Below(folder())) all += path + ";";
    return all;
  }

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

// The lines of the form's mode appended to JobList, as a job adds them after its header.
inline void AddModePasses(Form& form, MediaInfo& media, const JobFiles& files, OptionSyntax syntax) {
  for (const std::string& line : ModePassLines(ReadEncodeOptions(form), files, syntax, media))
    form.AddItem(JobList, line);
}

// For tests that share one application across their steps.
struct AppTest : TestApp, ::testing::Test {};

}  // namespace tw
