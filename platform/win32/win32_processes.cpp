#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tw {
namespace {

// Closes a handle on every path.
class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : h_(h) {}
  ~Handle() { Reset(); }
  Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    Reset();
    h_ = std::exchange(other.h_, nullptr);
    return *this;
  }
  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  void Reset() {
    if (Valid()) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_;
};

// How long output may still come after the program ended: a process it
// started may hold the pipe open, and that must not hold up the caller.
constexpr DWORD kLateOutputMs = 1000;

uint32_t WaitFor(Waiter* waiter, DWORD count, HANDLE* handles, ULONGLONG until) {
  const ULONGLONG now = GetTickCount64();
  const DWORD ms = static_cast<DWORD>(until > now ? until - now : 0);
  return waiter ? waiter->WaitAny(count, handles, ms) : WaitForMultipleObjects(count, handles, FALSE, ms);
}

// One argument as the C run-time splits it back: quoted when it is empty or
// holds blanks or quotes, backslashes doubled where they precede a quote.
void AppendArgument(std::string& line, const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) {
    line += arg;
    return;
  }
  line += '"';
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    line += c;
  }
  line.append(2 * backslashes, '\\');
  line += '"';
}

// A program started hidden, its standard output a pipe read here with a
// time limit, its errors dropped. Whatever it starts in turn belongs to its
// job and ends with it, at the time limit or when it is let go, so nothing
// it began outlives the answer.
struct Hidden {
  Handle process, family, output;

  // `input`: what it reads (NUL when null). False when it cannot be started.
  // Under Wine CreateProcess returns once the new process has loaded its
  // libraries, a second or more on a busy machine: with a waiter it runs on
  // a thread of its own, which touches nothing else, while the waiter waits.
  bool Start(const std::string& program, const std::vector<std::string>& arguments, HANDLE input, unsigned& pipes,
             Waiter* waiter) {
    struct Call {
      Hidden* hidden;
      const std::string& program;
      const std::vector<std::string>& arguments;
      HANDLE input;
      unsigned& pipes;
      bool started = false;
      static DWORD WINAPI Run(void* p) {
        auto* c = static_cast<Call*>(p);
        c->started = c->hidden->StartHere(c->program, c->arguments, c->input, c->pipes);
        return 0;
      }
    } call{this, program, arguments, input, pipes};
    Handle thread(waiter ? CreateThread(nullptr, 0, Call::Run, &call, 0, nullptr) : nullptr);
    if (!thread.Valid()) return StartHere(program, arguments, input, pipes);
    HANDLE wait = thread.Get();
    // The call's arguments live here: nothing returns before the thread ends.
    if (waiter->WaitAny(1, &wait, INFINITE) != WAIT_OBJECT_0) WaitForSingleObject(wait, INFINITE);
    return call.started;
  }

  bool StartHere(const std::string& program, const std::vector<std::string>& arguments, HANDLE input, unsigned& pipes) {
    // A named pipe, because only its reading end can wait with a time
    // limit; only the writing end is inherited.
    const std::string name =
        "\\\\.\\pipe\\tarnwick-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++pipes);
    output = Handle(CreateNamedPipeA(name.c_str(),
                                     PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 64 * 1024, 0, nullptr));
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    Handle theirs(CreateFileA(name.c_str(), GENERIC_WRITE, 0, &inherited, OPEN_EXISTING, 0, nullptr));
    Handle nothing(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                               OPEN_EXISTING, 0, nullptr));
    if (!output.Valid() || !theirs.Valid() || !nothing.Valid()) return false;
    family = Handle(CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (family.Valid() &&
        !SetInformationJobObject(family.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
      family.Reset();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input ? input : nothing.Get();
    startup.hStdOutput = theirs.Get();
    startup.hStdError = nothing.Get();
    std::string line = CommandLineOf(program, arguments);
    PROCESS_INFORMATION info = {};
    // Suspended until it is in the job, so it cannot start anything outside.
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &info))
      return false;
    // Where the program cannot join (an older Windows that nests no jobs),
    // only the program itself is ended.
    if (family.Valid() && !AssignProcessToJobObject(family.Get(), info.hProcess)) family.Reset();
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process = Handle(info.hProcess);
    return true;  // the pipe ends once the program's side closes: ours went with `theirs`
  }

  bool Running() const { return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; }
  void End() {
    if (!family.Valid() || !TerminateJobObject(family.Get(), 1)) TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
  }
};

// Reads a pipe opened for overlapped reading, a read at a time, each
// waited for until a moment; a read still running when the reader goes is
// ended first, as its buffer goes with it.
class PipeReader {
 public:
  enum class Result { Got, Closed, Woke, TimedOut };
  explicit PipeReader(HANDLE pipe) : pipe_(pipe), ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    pending_.hEvent = ready_.Get();
  }
  ~PipeReader() {
    if (!reading_) return;
    DWORD got = 0;
    CancelIoEx(pipe_, &pending_);
    GetOverlappedResult(pipe_, &pending_, &got, TRUE);
  }
  // Appends what came to `out`, no further than `cap` bytes (the rest is
  // dropped); Woke when `also` (may be null) was signalled first.
  Result Read(std::string& out, size_t cap, ULONGLONG until, HANDLE also, Waiter* waiter) {
    if (!ready_.Valid()) return Result::Closed;
    if (!reading_) {
      if (!ReadFile(pipe_, buffer_, sizeof buffer_, nullptr, &pending_) && GetLastError() != ERROR_IO_PENDING)
        return Result::Closed;
      reading_ = true;
    }
    HANDLE waits[2] = {ready_.Get(), also};
    const uint32_t woke = WaitFor(waiter, also ? 2 : 1, waits, until);
    if (woke == WAIT_OBJECT_0 + 1) return Result::Woke;
    if (woke != WAIT_OBJECT_0) return Result::TimedOut;
    DWORD got = 0;
    reading_ = false;
    if (!GetOverlappedResult(pipe_, &pending_, &got, FALSE)) return Result::Closed;
    out.append(buffer_, std::min<size_t>(got, cap - std::min(cap, out.size())));
    return Result::Got;
  }

 private:
  HANDLE pipe_;
  Handle ready_;
  OVERLAPPED pending_ = {};
  bool reading_ = false;
  char buffer_[4096];
};

class Win32Child : public Child {
 public:
  Win32Child(Hidden hidden, Handle input, Waiter* waiter)
      : hidden_(std::move(hidden)), input_(std::move(input)), reader_(hidden_.output.Get()), waiter_(waiter) {}
  ~Win32Child() override {
    input_.Reset();
    if (hidden_.Running()) hidden_.End();
  }
  bool WriteLine(const std::string& line) override {
    const std::string text = line + "\n";
    DWORD wrote = 0;
    return WriteFile(input_.Get(), text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) &&
           wrote == text.size();
  }
  std::optional<std::string> ReadLine(uint32_t timeLimitMs) override {
    const ULONGLONG until = GetTickCount64() + timeLimitMs;
    size_t end;
    while ((end = got_.find('\n')) == std::string::npos) {
      // one byte more than the limit tells a line too long from one that fits
      if (got_.size() > kCapturedOutputLimit ||
          reader_.Read(got_, kCapturedOutputLimit + 1, until, nullptr, waiter_) != PipeReader::Result::Got)
        return std::nullopt;
    }
    std::string line = got_.substr(0, end > 0 && got_[end - 1] == '\r' ? end - 1 : end);
    got_.erase(0, end + 1);
    return line;
  }

 private:
  Hidden hidden_;
  Handle input_;
  PipeReader reader_;
  Waiter* waiter_;
  std::string got_;  // read, not yet taken
};

}  // namespace

std::string CommandLineOf(const std::string& program, const std::vector<std::string>& arguments) {
  // A path holds no quotes, and the program's own name is read up to the
  // next quote without any escapes.
  std::string line = "\"" + program + "\"";
  for (const std::string& arg : arguments) {
    line += ' ';
    AppendArgument(line, arg);
  }
  return line;
}

Win32Processes::~Win32Processes() {
  for (auto& [id, handle] : handles_) CloseHandle(handle);
}

std::optional<ProcessId> Win32Processes::StartScript(const std::string& commandLine, const std::string& folder,
                                                     int priorityClass) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');  // CreateProcessA may write into the command line
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  // Suspended, so the script cannot start a tool before its class is set.
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_SUSPENDED, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    return std::nullopt;
  SetPriorityClass(info.hProcess, static_cast<DWORD>(priorityClass));
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  const ProcessId id = info.dwProcessId;
  if (auto old = handles_.find(id); old != handles_.end()) CloseHandle(old->second);
  handles_[id] = info.hProcess;
  return id;
}

bool Win32Processes::IsRunning(ProcessId id) {
  auto it = handles_.find(id);
  if (it == handles_.end()) return false;
  if (WaitForSingleObject(it->second, 0) == WAIT_TIMEOUT) return true;
  CloseHandle(it->second);
  handles_.erase(it);
  return false;
}

int Win32Processes::PriorityClassOf(ProcessId id) {
  auto it = handles_.find(id);
  return it == handles_.end() ? 0 : static_cast<int>(GetPriorityClass(it->second));
}

CapturedRun Win32Processes::RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                                        uint32_t timeLimitMs) {
  CapturedRun run;
  const ULONGLONG deadline = GetTickCount64() + timeLimitMs;
  Hidden hidden;
  if (!hidden.Start(program, arguments, nullptr, pipes_, waiter_)) return run;
  PipeReader reader(hidden.output.Get());
  using Result = PipeReader::Result;
  bool ended = false;
  ULONGLONG limit = deadline;
  for (Result got = Result::Got; got != Result::TimedOut;) {
    got = reader.Read(run.output, kCapturedOutputLimit, limit, ended ? nullptr : hidden.process.Get(), waiter_);
    if (got == Result::Woke) {
      ended = true;
      limit = std::min(deadline, GetTickCount64() + kLateOutputMs);
    } else if (got == Result::Closed) {
      // All output is in; the program may take a moment to end.
      HANDLE process = hidden.process.Get();
      if (!ended) WaitFor(waiter_, 1, &process, deadline);
      break;
    }
  }
  if (hidden.Running()) {
    hidden.End();
    run.end = CapturedRun::End::TimedOut;
    return run;
  }
  DWORD code = 0;
  GetExitCodeProcess(hidden.process.Get(), &code);
  run.end = CapturedRun::End::Finished;
  run.exitCode = code;
  return run;
}

std::unique_ptr<Child> Win32Processes::StartChild(const std::string& program,
                                                  const std::vector<std::string>& arguments) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  // Room for any question, so writing one never waits for the child.
  if (!CreatePipe(&read, &write, &inherited, 64 * 1024)) return nullptr;
  Handle theirs(read), ours(write);
  SetHandleInformation(ours.Get(), HANDLE_FLAG_INHERIT, 0);
  Hidden hidden;
  if (!hidden.Start(program, arguments, theirs.Get(), pipes_, waiter_)) return nullptr;
  return std::make_unique<Win32Child>(std::move(hidden), std::move(ours), waiter_);
}

}  // namespace tw
