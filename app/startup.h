// Start-up and exit, shared by tarnwick.exe and tarnwick-headless.
#pragma once

#include "app/event_loop.h"
#include "ui/logo.h"

namespace tw {

// One front end: the real window, or the headless driver.
class Host {
 public:
  virtual ~Host() = default;
  virtual Platform& GetPlatform() = 0;
  // Creates the window hidden with every control and its pages and sets the
  // fonts. `logo` is null when the stored picture cannot be decoded.
  virtual Form& BuildWindow(const Picture* logo) = 0;
  // Shows the window once the form is ready, so no one sees it half set up.
  // The headless form has nothing to show.
  virtual void Show() {}
  virtual EventSource& Events() = 0;
  // The files named on the program's command line.
  virtual ArrivedFiles Arguments() { return {}; }
};

void CreateWorkingFolders(Files& files, const std::string& programFolder);
void FillFixedLists(Form& form);
void SetStartStates(Form& form);
// Asks the x264.exe the run script would start for its version, keeps the
// answer for Auto and shows it in X264FoundLabel. Runs at start-up once the
// window shows and on "Refresh", never while jobs are added: a slow answer
// should hold up nothing but those.
void LookForX264(Form& form, Platform& platform);

// Start-up, the event loop and the exit sequence; returns the exit code.
int RunProgram(Host& host);

}  // namespace tw
