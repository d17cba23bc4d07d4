// Starting the run script in its own console at the chosen priority,
// running helper programs hidden with their output read back, and keeping
// one running to ask it in turn.
#pragma once

#include <map>

#include "platform/processes.h"

namespace tw {

// How the processes wait for a program: during long work the window's side
// answers its messages meanwhile.
class Waiter {
 public:
  virtual ~Waiter() = default;
  // As WaitForMultipleObjects waits for any of `handles`, at most `ms`.
  virtual uint32_t WaitAny(uint32_t count, void* const* handles, uint32_t ms) = 0;
};

class Win32Processes : public Processes {
 public:
  ~Win32Processes() override;
  std::optional<ProcessId> StartScript(const std::string& commandLine, const std::string& folder,
                                       int priorityClass) override;
  bool IsRunning(ProcessId id) override;
  CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                          uint32_t timeLimitMs) override;
  std::unique_ptr<Child> StartChild(const std::string& program, const std::vector<std::string>& arguments) override;
  // The priority class of a process started here, 0 when unknown.
  int PriorityClassOf(ProcessId id);
  void SetWaiter(Waiter* waiter) { waiter_ = waiter; }

 private:
  std::map<ProcessId, void*> handles_;  // process handles kept for IsRunning
  unsigned pipes_ = 0;                  // makes each output pipe's name new
  Waiter* waiter_ = nullptr;
};

// The command line that hands `program` exactly `arguments` as the C
// run-time and CommandLineToArgvW split it.
std::string CommandLineOf(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace tw
