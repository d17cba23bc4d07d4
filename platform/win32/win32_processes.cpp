#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace tw {
namespace {

// Closes a handle on every path.
class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : h_(h) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
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
  // A named pipe, because only its reading end can wait with a time limit;
  // only the writing end is inherited.
  const std::string name =
      "\\\\.\\pipe\\tarnwick-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++pipes_);
  Handle ours(CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                               PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 64 * 1024, 0, nullptr));
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  Handle theirs(CreateFileA(name.c_str(), GENERIC_WRITE, 0, &inherited, OPEN_EXISTING, 0, nullptr));
  Handle nothing(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                             OPEN_EXISTING, 0, nullptr));
  Handle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!ours.Valid() || !theirs.Valid() || !nothing.Valid() || !ready.Valid()) return run;
  // Whatever the program starts in turn ends with it, at the time limit or
  // when the run is over, so nothing it began outlives the answer.
  Handle family(CreateJobObjectA(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (family.Valid() &&
      !SetInformationJobObject(family.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
    family.Reset();

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing.Get();
  startup.hStdOutput = theirs.Get();
  startup.hStdError = nothing.Get();
  std::string line = CommandLineOf(program, arguments);
  PROCESS_INFORMATION info = {};
  // Suspended until it is in the job, so it cannot start anything outside.
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                      nullptr, nullptr, &startup, &info))
    return run;
  // Where the program cannot join (an older Windows that nests no jobs),
  // only the program itself is ended at the limit.
  if (family.Valid() && !AssignProcessToJobObject(family.Get(), info.hProcess)) family.Reset();
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  Handle process(info.hProcess);
  theirs.Reset();  // the pipe now ends when the program's side closes
  nothing.Reset();

  char buffer[4096];
  OVERLAPPED pending = {};
  pending.hEvent = ready.Get();
  bool reading = false, atEnd = false, ended = false;
  ULONGLONG limit = deadline;
  for (;;) {
    if (!reading && !atEnd) {
      if (ReadFile(ours.Get(), buffer, sizeof buffer, nullptr, &pending) || GetLastError() == ERROR_IO_PENDING)
        reading = true;
      else
        atEnd = true;
    }
    const ULONGLONG now = GetTickCount64();
    if ((atEnd && ended) || now >= limit) break;
    HANDLE waits[2];
    DWORD count = 0;
    if (reading) waits[count++] = ready.Get();
    if (!ended) waits[count++] = process.Get();
    const DWORD woke = WaitForMultipleObjects(count, waits, FALSE, static_cast<DWORD>(limit - now));
    if (woke >= WAIT_OBJECT_0 + count) break;
    if (waits[woke - WAIT_OBJECT_0] == process.Get()) {
      ended = true;
      limit = std::min(deadline, GetTickCount64() + kLateOutputMs);
      continue;
    }
    DWORD got = 0;
    reading = false;
    if (!GetOverlappedResult(ours.Get(), &pending, &got, FALSE)) {
      atEnd = true;  // the program's side is closed
      continue;
    }
    run.output.append(buffer, std::min<size_t>(got, kCapturedOutputLimit - run.output.size()));
  }
  if (reading) {
    // The buffer must outlive the read, so the read is ended first.
    DWORD got = 0;
    CancelIoEx(ours.Get(), &pending);
    GetOverlappedResult(ours.Get(), &pending, &got, TRUE);
  }
  if (!ended && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
    if (!family.Valid() || !TerminateJobObject(family.Get(), 1)) TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
    run.end = CapturedRun::End::TimedOut;
    return run;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  run.end = CapturedRun::End::Finished;
  run.exitCode = code;
  return run;
}

}  // namespace tw
