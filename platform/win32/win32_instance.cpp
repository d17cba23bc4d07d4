#include "platform/win32/win32_instance.h"

#include <shellapi.h>

#include <cstdint>

namespace tw {
namespace {

constexpr ULONG_PTR kHandOver = 0x74774E31;  // what a hand-over's WM_COPYDATA carries as its tag
constexpr DWORD kPatienceMs = 4000;          // for the other start's window to show and answer
constexpr UINT kAnswerMs = 2000;             // for that window to take the names
constexpr const wchar_t* kMarkProperty = L"TarnwickFolder";

// The program folder as one name for the mutex and the hand-over: its long
// path in capitals, hashed (FNV-1a), so any way of writing it gives the same.
const std::wstring& FolderKey() {
  static const std::wstring key = [] {
    wchar_t path[32768] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, 32768);
    std::wstring folder(path, n < 32768 ? n : 0);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    wchar_t full[32768] = {};
    const DWORD m = GetLongPathNameW(folder.c_str(), full, 32768);
    if (m > 0 && m < 32768) folder.assign(full, m);
    CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : folder) hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
    wchar_t text[40];
    wsprintfW(text, L"tarnwick-%08lx%08lx", static_cast<unsigned long>(hash >> 32), static_cast<unsigned long>(hash));
    return std::wstring(text);
  }();
  return key;
}

HANDLE MarkValue() {
  uint32_t value = 1;
  for (wchar_t c : FolderKey()) value = value * 31 + c;
  return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value | 1));
}

BOOL CALLBACK FindMarked(HWND h, LPARAM found) {
  wchar_t name[32] = {};
  if (GetClassNameW(h, name, 32) && lstrcmpW(name, L"TarnwickMain") == 0 && GetPropW(h, kMarkProperty) == MarkValue()) {
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<std::wstring> CommandLineFiles() {
  std::vector<std::wstring> names;
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return names;
  for (int i = 1; i < count; ++i) {
    wchar_t full[32768] = {};
    const DWORD n = GetFullPathNameW(args[i], 32768, full, nullptr);
    names.push_back(n > 0 && n < 32768 ? std::wstring(full, n) : std::wstring(args[i]));
  }
  LocalFree(args);
  return names;
}

SingleInstance::SingleInstance() {
  mutex_ = CreateMutexW(nullptr, TRUE, (L"Local\\" + FolderKey()).c_str());
  another_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
  if (mutex_) CloseHandle(mutex_);
}

bool SingleInstance::HandedOver(const std::vector<std::wstring>& names) {
  if (!another_) return false;
  // The folder's key, then each name, each ended by NUL.
  std::wstring payload = FolderKey() + L'\0';
  for (const std::wstring& name : names) payload += name + L'\0';
  COPYDATASTRUCT data{kHandOver, static_cast<DWORD>(payload.size() * sizeof(wchar_t)), payload.data()};
  const DWORD since = GetTickCount();
  do {
    HWND window = nullptr;
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&window));
    if (window) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      // This start is the user's latest act: it may give the front away.
      AllowSetForegroundWindow(process);
      DWORD_PTR taken = 0;
      if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerMs,
                              &taken) &&
          taken)
        return true;
    }
    // The other start may be ending: once it has, this one goes on alone.
    const DWORD got = WaitForSingleObject(mutex_, 100);
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) return false;
  } while (GetTickCount() - since < kPatienceMs);
  return false;
}

void SingleInstance::Mark(HWND window) { SetPropW(window, kMarkProperty, MarkValue()); }

std::optional<std::vector<std::wstring>> HandedOverNames(const COPYDATASTRUCT& data) {
  if (data.dwData != kHandOver || !data.lpData || data.cbData % sizeof(wchar_t) != 0) return std::nullopt;
  const std::wstring payload(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
  const size_t end = payload.find(L'\0');
  if (end == std::wstring::npos || payload.compare(0, end, FolderKey()) != 0) return std::nullopt;
  std::vector<std::wstring> names;
  for (size_t at = end + 1; at < payload.size();) {
    const size_t next = payload.find(L'\0', at);
    names.push_back(payload.substr(at, next - at));
    at = next == std::wstring::npos ? payload.size() : next + 1;
  }
  return names;
}

void BringToFront(HWND window) {
  if (!IsWindowVisible(window)) return;  // still starting: it shows itself
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(GetLastActivePopup(window));
}

}  // namespace tw
