// Work that can take longer than a person waits for a window: a batch
// import, the search for x264.exe. It runs on the program's one thread, as
// every action does; meanwhile the form cannot be changed, the window keeps
// painting and answering, and once the work has run about half a second it
// shows how far it is and, where it can stop, a button "Stop". Nothing
// shows for short work.
#pragma once

#include <string>

namespace tw {

class Progress {
 public:
  virtual ~Progress() = default;
  // Work of `total` steps begins (0: one of unknown length), described by
  // `what` ("Adding file"). `stoppable`: the user may stop it between two
  // steps. Work begun within work is part of it.
  virtual void Begin(const std::string& what, int total, bool stoppable) = 0;
  // Step `done` (from 0) begins, on `item`; false once the user asked to
  // stop: the steps before it are done, it and the rest are not.
  virtual bool Step(int done, const std::string& item) = 0;
  virtual void End() = 0;
  // Whether work runs: files that arrive meanwhile (a drop, the arguments of
  // another start) must wait or be refused.
  virtual bool Busy() const = 0;
};

// Shows nothing and is never stopped.
Progress& NoProgress();

// Begin and End around a scope.
class LongWork {
 public:
  LongWork(Progress& progress, const std::string& what, int total, bool stoppable) : progress_(progress) {
    progress_.Begin(what, total, stoppable);
  }
  ~LongWork() { progress_.End(); }
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;
  bool Step(int done, const std::string& item) { return progress_.Step(done, item); }

 private:
  Progress& progress_;
};

}  // namespace tw
