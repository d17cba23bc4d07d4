// What every action works on: the form and the platform services, and the
// state the actions' owners keep beyond a single action.
#pragma once

#include "jobs/list_copy.h"
#include "jobs/list_file.h"
#include "platform/platform.h"
#include "run/run_script.h"
#include "ui/form.h"

namespace tw {

struct App {
  App(Form& f, Platform& p) : form(f), platform(p) {}
  Form& form;
  Platform& platform;
  bool closeRequested = false;
  ListMark listWritten;   // when Make BAT or Start last wrote the list
  RunningScript running;  // the run script Start started last
  ListCopy listCopy;      // the list kept on disk for a run that does not end normally
};

// The action of a button; it runs for every event of it, whatever the type.
using ActionFunction = void(App& app, const Event& event);
using Action = ActionFunction*;

}  // namespace tw
