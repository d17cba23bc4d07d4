#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <vector>

namespace tw {

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

}  // namespace tw
