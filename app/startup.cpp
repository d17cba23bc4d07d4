#include "app/startup.h"

#include "app/arriving_files.h"
#include "platform/cmd_names.h"
#include "script/x264_syntax.h"
#include "settings/load_save.h"
#include "ui/folder_lists.h"

namespace tw {

void CreateWorkingFolders(Files& files, const std::string& programFolder) {
  // A folder that exists already or cannot be made is passed over.
  for (const char* name : kWorkingFolders) files.CreateFolder(programFolder + name);
}

void FillFixedLists(Form& form) {
  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = Spec(IdAt(i));
    if (spec.kind == Kind::TabPanel) continue;  // pages come with the window
    const int n = FixedItemCount(spec);
    if (n == 0) continue;
    for (int k = 0; k < n; ++k) form.AddItem(IdAt(i), spec.items[k]);
    if (spec.startSelection >= 0) form.SetState(IdAt(i), spec.startSelection);
  }
}

void SetStartStates(Form& form) {
  for (int i = 0; i < kControlCount; ++i)
    if (Spec(IdAt(i)).startChecked) form.SetState(IdAt(i), 1);
  for (int i = 0; i < kControlCount; ++i)
    if (Spec(IdAt(i)).startDisabled) form.Enable(IdAt(i), false);
  for (int i = 0; i < kControlCount; ++i)
    if (Spec(IdAt(i)).kind == Kind::TrackBar) form.SetState(IdAt(i), Spec(IdAt(i)).startPosition);
  for (int i = 0; i < kControlCount; ++i)
    if (Spec(IdAt(i)).startHidden) form.Show(IdAt(i), false);
}

void LookForX264(Form& form, Platform& platform) {
  // A slow or hung x264.exe holds up the form, never the window.
  LongWork work(*platform.progress, "Asking x264.exe for its version", 0, false);
  form.SetText(ControlId::X264FoundLabel, FoundLabelText(platform.x264->Look()));
}

int RunProgram(Host& host) {
  std::optional<Picture> logo = DecodeBitmap(LogoBitmap());
  Platform& platform = host.GetPlatform();
  // The folder of the avs, stats and log files and of every script's "cd".
  platform.programFolder = ExistingPath(platform, platform.programFolder);
  CreateWorkingFolders(platform.files, platform.programFolder);
  Form& form = host.BuildWindow(logo ? &*logo : nullptr);
  App app(form, platform);
  FillFixedLists(form);
  SetStartStates(form);
  RefreshLists(form, platform);
  // Bare name: the last run is read from the current folder, as a shortcut
  // with its own start folder expects.
  LoadSettings(form, platform, kLastRunFile);
  // The lines a run that did not end normally left behind.
  const std::optional<std::string> setAside = app.listCopy.Restore(form, platform);
  RunPendingEvents(app);
  host.Show();
  if (setAside) platform.dialogs.Message("tarnwick", *setAside);
  // Once the window shows, so a slow x264.exe never keeps it hidden; before
  // the files named on the command line, whose jobs may take its syntax.
  LookForX264(form, platform);
  TakeArrivedFiles(app, host.Arguments());
  RunPendingEvents(app);

  // Runs once: at the end of a Windows session the window runs it before
  // the loop sees that end. Only a quit keeps no copy of the list.
  bool exited = false;
  auto exitSequence = [&](bool quit) {
    if (exited) return;
    exited = true;
    // Written where the program lives, whatever the current folder is.
    SaveSettings(form, platform, platform.programFolder + kLastRunFile);
    if (quit)
      app.listCopy.Drop(platform);
    else
      app.listCopy.Keep(form, platform);
  };
  host.Events().OnSessionEnd([&] { exitSequence(false); });
  exitSequence(RunEventLoop(app, host.Events()));
  // Both refer to this frame.
  host.Events().OnSessionEnd(nullptr);
  host.Events().AskTimer(0, nullptr);

  return 0;
}

}  // namespace tw
