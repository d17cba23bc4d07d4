// Starting the run script in its own console at the chosen priority, and
// running helper programs hidden with their output read back.
#pragma once

#include <map>

#include "platform/processes.h"

namespace tw {

class Win32Processes : public Processes {
 public:
  ~Win32Processes() override;
  std::optional<ProcessId> StartScript(const std::string& commandLine, const std::string& folder,
                                       int priorityClass) override;
  bool IsRunning(ProcessId id) override;
  CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                          uint32_t timeLimitMs) override;
  // The priority class of a process started here, 0 when unknown.
  int PriorityClassOf(ProcessId id);

 private:
  std::map<ProcessId, void*> handles_;  // process handles kept for IsRunning
  unsigned pipes_ = 0;                  // makes each output pipe's name new
};

// The command line that hands `program` exactly `arguments` as the C
// run-time and CommandLineToArgvW split it.
std::string CommandLineOf(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace tw
