// Starting the run script in its own console, running a helper program
// hidden to read its answer, and keeping one running to ask it in turn.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw {

constexpr int kIdlePriorityClass = 64;

using ProcessId = uint32_t;

// What a hidden run of a program came to.
struct CapturedRun {
  enum class End {
    NotStarted,  // the program could not be started
    Finished,    // it ended by itself; `exitCode` is its exit code
    TimedOut,    // it was still running at the time limit and was ended
  };
  End end = End::NotStarted;
  uint32_t exitCode = 0;
  // Its standard output as far as it came, cut at kCapturedOutputLimit bytes.
  std::string output;
};

// More output than this is read and thrown away, so a chatty program can
// neither block on a full pipe nor fill the memory.
constexpr size_t kCapturedOutputLimit = 64 * 1024;

// A program kept running to answer one question after another: a line to
// its standard input, a line back from its standard output.
class Child {
 public:
  // Ends the program, and whatever it started, if it still runs.
  virtual ~Child() = default;
  // Writes `line` and a line end to its input; false when it takes no more.
  virtual bool WriteLine(const std::string& line) = 0;
  // Its next output line without the line end (CR LF or LF); nothing when
  // it ended or closed its output first, wrote a line longer than
  // kCapturedOutputLimit, or gave no whole line within `timeLimitMs`.
  virtual std::optional<std::string> ReadLine(uint32_t timeLimitMs) = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `commandLine` in a new visible console with `folder` as working
  // folder and sets its priority class; nothing when it cannot be started.
  virtual std::optional<ProcessId> StartScript(const std::string& commandLine, const std::string& folder,
                                               int priorityClass) = 0;
  // Whether a process started here is still running.
  virtual bool IsRunning(ProcessId id) = 0;
  // Runs `program` (a full path) with `arguments`, each passed as one
  // argument whatever blanks or quotes it holds, without a console window,
  // with nothing on its standard input, and collects its standard output
  // (its errors are dropped). Returns once it has ended, or after
  // `timeLimitMs` milliseconds, when it is ended by force: no call waits
  // longer than that and the moment the forced end takes. A program that
  // crashes ends with its crash code as exit code. The program's working
  // folder is the caller's.
  virtual CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                                  uint32_t timeLimitMs) = 0;
  // Starts `program` hidden as RunCaptured does, kept running with pipes to
  // its input and output; nothing when it cannot be started.
  virtual std::unique_ptr<Child> StartChild(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace tw
