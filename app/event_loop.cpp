#include "app/event_loop.h"

#include <string>

#include "app/dispatch_table.h"
#include "ui/rules.h"

namespace tw {

void Dispatch(App& app, const Event& event) {
  if (event.IsClose()) return;
  RunControlRules(app.form, app.platform, event);
  if (Action action = ActionOf(event.control)) action(app, event);
}

void HandleEvent(App& app, const Event& event) {
  Dispatch(app, event);
  RunPendingEvents(app);
}

void RunPendingEvents(App& app) {
  // Every action is idempotent, so the chain of raised events dies out; the
  // cap only guards against a rule that would keep rewriting its own text.
  for (int n = 0; n < 100000; ++n) {
    std::optional<Event> raised = app.form.TakePendingEvent();
    if (!raised) return;
    Dispatch(app, *raised);
  }
  app.form.DropPendingEvents();
}

void RunEventLoop(App& app, EventSource& events) {
  while (!app.closeRequested) {
    Event event = events.WaitEvent();
    if (event.IsClose()) {
      if (event.sessionEnd || MayQuit(app)) break;
      continue;
    }
    HandleEvent(app, event);
  }
}

void RequestClose(App& app, const Event&) { app.closeRequested = MayQuit(app); }

bool MayQuit(App& app) {
  // The list is the script the user built by hand and lives nowhere else.
  const int lines = app.form.ItemCount(ControlId::JobList);
  if (lines == 0 || !app.listWritten.ChangedSince(app.form)) return true;
  return app.platform.dialogs.YesNo("tarnwick", "The job list has " + std::to_string(lines) +
                                                    " lines that were not written to a batch file. Quit anyway?");
}

}  // namespace tw
