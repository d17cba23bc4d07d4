// What every action works on: the form, the platform services and the little
// run-time state that lives outside the controls.
#pragma once

#include <optional>
#include <string>

#include "platform/code_pages.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/media.h"
#include "platform/processes.h"
#include "platform/x264_probe.h"
#include "ui/form.h"

namespace tw {

struct Platform {
  Files& files;
  Dialogs& dialogs;
  MediaInfo& media;
  Processes& processes;
  std::string programFolder;  // ends in the platform's separator
  CodePages& pages = OnePage();
  X264Finder* x264 = &NoX264();
};

struct App {
  App(Form& f, Platform& p) : form(f), platform(p) {}
  Form& form;
  Platform& platform;
  bool closeRequested = false;
  std::optional<ProcessId> runningScript;  // the run script we started last
  std::string runningScriptName;
  // The job list's change count when Make BAT or Start last wrote it.
  unsigned jobListWrittenAt = 0;
};

inline void NoteJobListWritten(App& app) { app.jobListWrittenAt = app.form.ItemChanges(ControlId::JobList); }
inline bool JobListChangedSinceWritten(const App& app) {
  return app.form.ItemChanges(ControlId::JobList) != app.jobListWrittenAt;
}

// An action runs for every event of its control; only two look at the type.
// The action headers declare theirs as `ActionFunction OnXButton, ...;`.
using ActionFunction = void(App& app, const Event& event);
using Action = ActionFunction*;

}  // namespace tw
