#include "app/event_loop.h"

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
    // Kept a moment after a change (start-up's too), so that a burst of
    // edits costs one write; while a dialog is open as well, so a killed
    // program leaves the list as it was then. Long work that keeps the
    // window answering is not held up by it: its end is a change of its own.
    if (app.listCopy.Due(app.form))
      events.AskTimer(kListCopyDelayMs, [&app] {
        if (!app.platform.progress->Busy()) app.listCopy.Keep(app.form, app.platform);
      });
    Event event = events.WaitEvent();
    if (event.IsClose()) {
      if (event.sessionEnd) return false;
      if (MayQuit(app)) return true;
      continue;
    }
    if (event.IsSignal(Signal::FilesArrived)) {
      TakeArrivedFiles(app, events.TakeArrivedFiles());
      RunPendingEvents(app);
    } else {
      HandleEvent(app, event);
    }
  }
  return true;
}

void RequestClose(App& app, const Event&) { app.closeRequested = MayQuit(app); }

bool MayQuit(App& app) { return UnwrittenMayGo(app.form, app.platform, app.listWritten, "Quit anyway?"); }

}  // namespace tw
