// Starting the run script in its own console at the chosen priority.
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
  // The priority class of a process started here, 0 when unknown.
  int PriorityClassOf(ProcessId id);

 private:
  std::map<ProcessId, void*> handles_;  // process handles kept for IsRunning
};

}  // namespace tw
