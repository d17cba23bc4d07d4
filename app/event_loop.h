// The loop that turns window events into actions.
#pragma once

#include <functional>

#include "app/context.h"
#include "platform/arrived_files.h"

namespace tw {

// Where events come from: the real window, or a headless scenario.
class EventSource {
 public:
  virtual ~EventSource() = default;
  // Blocks until the next event; a close request ends the loop.
  virtual Event WaitEvent() = 0;
  // What must be done before the process may be ended from outside; the
  // window runs it when the Windows session ends, then reports the end.
  virtual void OnSessionEnd(std::function<void()> /*exitSequence*/) {}
  // Runs `due` once, about `ms` milliseconds after the first ask that is
  // still waiting, between two actions or while a dialog is open; a later
  // ask replaces `due`, and null cancels it. A scenario takes no time, so
  // the headless driver never runs it: what a scenario prints and leaves
  // never depends on time.
  virtual void AskTimer(unsigned /*ms*/, std::function<void()> /*due*/) {}
  // The files of the FilesArrived event just taken.
  virtual ArrivedFiles TakeArrivedFiles() { return {}; }
};

// The control rules the event triggers, then the action of its control.
void Dispatch(App& app, const Event& event);
// Runs the event's action, then the events that program-set texts raised.
void HandleEvent(App& app, const Event& event);
// Runs the events raised by program-set texts until none is left.
void RunPendingEvents(App& app);
// Until the window closes; true when the user quit (the close box or
// CancelButton, asked and answered), false at the end of the session.
bool RunEventLoop(App& app, EventSource& events);

// CancelButton: ends the loop exactly like the close box.
void RequestClose(App& app, const Event& event);
// The close box and CancelButton ask first while the job list holds lines
// that no batch file has received since they changed; true: quit.
bool MayQuit(App& app);

}  // namespace tw
