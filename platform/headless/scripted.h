// Stand-ins for the dialogs, the media service and process start that a
// headless scenario answers and records.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/media.h"
#include "platform/processes.h"
#include "platform/progress.h"
#include "platform/x264_probe.h"

namespace tw {

// A scenario line that cannot be run.
class ScenarioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "A|B|C" as its paths, empty ones left out.
std::vector<std::string> BarSeparated(const std::string& text);

struct Answer {
  std::string kind;  // open, save, folder, files, yes, no, input, cancel
  std::string text;
};

class ScriptedDialogs : public Dialogs {
 public:
  ScriptedDialogs(std::ostream& out, char separator) : out_(out), separator_(separator) {}

  void Queue(Answer a) { answers_.push_back(std::move(a)); }
  size_t Pending() const { return answers_.size(); }

  std::string Open(const FileDialog& d) override;
  std::string Save(const FileDialog& d) override;
  std::vector<std::string> OpenMany(const FileDialog& d) override;
  std::string Folder(const std::string& title, const std::string& startFolder) override;
  bool YesNo(const std::string& title, const std::string& text) override;
  void Message(const std::string& title, const std::string& text) override;
  // Scripted answers are the paths themselves; only files marked with
  // LeaveOut() are reported as left out.
  std::vector<std::string> TakeLeftOut() override { return std::exchange(leftOut_, {}); }
  void MessageUtf8(const std::string& title, const std::string& text) override { Message(title, text); }
  // Reports `name` as a chosen file the dialogs could not hand over.
  void LeaveOut(std::string name) { leftOut_.push_back(std::move(name)); }
  std::optional<std::string> Input(const std::string& title, const std::string& text,
                                   const std::string& preset) override;

 private:
  void Log(const char* kind, const std::string& title, const std::string& text, const std::string& filter,
           const std::string& preset);
  // The next answer, which must be `kind` or "cancel" (or, for a yes/no box, "yes" or "no").
  Answer Take(const char* dialog, std::initializer_list<const char*> kinds);

  std::ostream& out_;
  char separator_;
  std::deque<Answer> answers_;
  std::vector<std::string> leftOut_;
};

class ScriptedMedia : public MediaInfo {
 public:
  void Register(const std::string& path, int32_t frames, int32_t rate) { known_[path] = {frames, rate}; }
  std::optional<MediaHandle> OpenMedia(const std::string& path) override;
  int32_t MediaFrameCount(MediaHandle h) override;
  int32_t MediaFrameRate(MediaHandle h) override;
  void CloseMedia(MediaHandle h) override;
  int OpenHandles() const { return static_cast<int>(open_.size()); }

 private:
  std::map<std::string, std::pair<int32_t, int32_t>> known_;
  std::map<MediaHandle, std::pair<int32_t, int32_t>> open_;
  MediaHandle next_ = 1;
};

// Starts nothing: prints what would be started and reports it finished.
class ScriptedProcesses : public Processes {
 public:
  explicit ScriptedProcesses(std::ostream& out) : out_(out) {}
  std::optional<ProcessId> StartScript(const std::string& commandLine, const std::string& folder,
                                       int priorityClass) override;
  bool IsRunning(ProcessId) override { return false; }
  // The headless driver starts no programs.
  CapturedRun RunCaptured(const std::string&, const std::vector<std::string>&, uint32_t) override { return {}; }
  std::unique_ptr<Child> StartChild(const std::string&, const std::vector<std::string>&) override { return nullptr; }

 private:
  std::ostream& out_;
  ProcessId next_ = 1;
};

// Long work as a scenario sees it: nothing shows, and after `StopAfter(N)`
// the next work that can stop is stopped after its first N steps, as if the
// user pressed "Stop" then.
class ScriptedProgress : public Progress {
 public:
  void StopAfter(int steps) { pending_ = steps; }
  bool StopPending() const { return pending_.has_value(); }
  void Begin(const std::string&, int, bool stoppable) override {
    if (depth_++ == 0 && stoppable) stopAt_ = std::exchange(pending_, std::nullopt);
  }
  bool Step(int done, const std::string&) override { return !stopAt_ || done < *stopAt_; }
  void End() override {
    if (--depth_ == 0) stopAt_.reset();
  }
  bool Busy() const override { return depth_ > 0; }

 private:
  std::optional<int> pending_, stopAt_;
  int depth_ = 0;
};

// Answers for x264.exe what the scenario's last x264 line said.
class ScriptedX264 : public X264Finder {
 public:
  void Set(std::optional<std::string> versionLine) { answer_ = std::move(versionLine); }
  std::optional<std::string> VersionLine() override { return answer_; }

 private:
  std::optional<std::string> answer_;
};

}  // namespace tw
