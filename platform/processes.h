// Starting the run script in its own console.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

constexpr int kIdlePriorityClass = 64;

using ProcessId = uint32_t;

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `commandLine` in a new visible console with `folder` as working
  // folder and sets its priority class; nothing when it cannot be started.
  virtual std::optional<ProcessId> StartScript(const std::string& commandLine, const std::string& folder,
                                               int priorityClass) = 0;
  // Whether a process started here is still running.
  virtual bool IsRunning(ProcessId id) = 0;
};

}  // namespace tw
