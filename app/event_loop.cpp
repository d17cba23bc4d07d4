#include "app/event_loop.h"

#include <string>

#include "app/arriving_files.h"
#include "app/dispatch_table.h"
#include "ui/rules.h"

namespace tw {

void Dispatch(App& app, const Event& event) {
  if (event.control == ControlId::Count) return;
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

bool RunEventLoop(App& app, EventSource& events) {
  while (!app.closeRequested) {
    Event event = events.WaitEvent();
    if (event.IsClose()) {
      if (event.sessionEnd) return false;
      if (MayQuit(app)) return true;
      continue;
    }
    if (event.IsSignal(Signal::Timer)) {
      app.listCopy.Keep(app.form, app.platform);
      continue;
    }
    if (event.IsSignal(Signal::FilesArrived)) {
      TakeArrivedFiles(app, events.TakeArrivedFiles());
      RunPendingEvents(app);
    } else {
      HandleEvent(app, event);
    }
    // Kept a little later, so that a burst of edits costs one write.
    if (app.listCopy.Due(app.form)) events.AskTimer(kListCopyDelayMs);
  }
  return true;
}

void RequestClose(App& app, const Event&) { app.closeRequested = MayQuit(app); }

bool MayQuit(App& app) { return UnwrittenMayGo(app.form, app.platform, app.listWritten, "Quit anyway?"); }

}  // namespace tw
