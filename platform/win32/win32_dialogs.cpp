#include "platform/win32/win32_dialogs.h"

#include <windows.h>
// windows.h first: the dialog headers need its types.
#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/win32/win32_arrivals.h"
#include "platform/win32/win32_pages.h"

namespace tw {
namespace {

constexpr DWORD kFileFlags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_HIDEREADONLY;

std::wstring Wide(const std::string& ansi) { return Widened(ansi, CP_ACP); }

struct PreparedDialog {
  std::wstring filter;
  std::wstring title;
  std::vector<wchar_t> file;
  OPENFILENAMEW ofn = {};
};

void Prepare(PreparedDialog& p, void* owner, const FileDialog& d, DWORD flags, size_t bufferSize) {
  const std::string filter = NulSeparatedFilter(d.filter);
  p.filter = Widened(filter, CP_ACP);
  p.title = Wide(d.title);
  const std::wstring preset = Wide(d.preset);
  p.file.assign(std::max(bufferSize, preset.size() + 1), L'\0');
  std::copy(preset.begin(), preset.end(), p.file.begin());
  p.ofn = {};
  p.ofn.lStructSize = sizeof p.ofn;
  p.ofn.hwndOwner = static_cast<HWND>(owner);
  p.ofn.lpstrFilter = filter.size() > 2 ? p.filter.c_str() : nullptr;
  p.ofn.nFilterIndex = 1;
  p.ofn.lpstrFile = p.file.data();
  p.ofn.nMaxFile = static_cast<DWORD>(p.file.size());
  p.ofn.lpstrTitle = d.title.empty() ? nullptr : p.title.c_str();
  p.ofn.Flags = flags;
}

int CALLBACK FolderCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

std::string NulSeparatedFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.append(2, '\0');
  return out;
}

// A look-alike would be another file, or none: only an exact name or the
// file's own short path is taken.
std::string Win32Dialogs::Taken(const std::wstring& chosen) {
  if (chosen.empty()) return std::string();
  if (std::optional<std::string> path = AnsiPath(chosen)) return *path;
  leftOut_.push_back(Utf8(chosen));
  return std::string();
}

std::string Win32Dialogs::Open(const FileDialog& d) {
  PreparedDialog p;
  Prepare(p, owner_, d, kFileFlags, MAX_PATH + 1);
  return GetOpenFileNameW(&p.ofn) ? Taken(p.file.data()) : std::string();
}

std::string Win32Dialogs::Save(const FileDialog& d) {
  PreparedDialog p;
  Prepare(p, owner_, d, kFileFlags, MAX_PATH + 1);
  return GetSaveFileNameW(&p.ofn) ? Taken(p.file.data()) : std::string();
}

std::vector<std::string> Win32Dialogs::OpenMany(const FileDialog& d) {
  // A megabyte holds thousands of long names, so the dialog almost never has
  // to be shown twice; when it says the selection did not fit, it also says
  // how much room it needs, and the buffer grows until everything fits.
  size_t size = 1024 * 1024;
  for (int attempt = 0; attempt < 8; ++attempt) {
    PreparedDialog p;
    Prepare(p, owner_, d, kFileFlags | OFN_ALLOWMULTISELECT, size);
    if (GetOpenFileNameW(&p.ofn)) {
      std::vector<std::string> paths;
      for (const std::wstring& chosen : SplitMultiSelection(p.file.data(), p.file.size())) {
        std::string path = Taken(chosen);
        if (!path.empty()) paths.push_back(std::move(path));
      }
      return paths;
    }
    if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) return {};
    // The first character then holds the size needed, when it fits in it.
    const size_t needed = static_cast<size_t>(static_cast<uint16_t>(p.file[0]));
    size = std::max(size * 4, needed + 2);
  }
  return {};
}

std::string Win32Dialogs::Folder(const std::string& title, const std::string& startFolder) {
  std::wstring start = Wide(startFolder);
  // SHBrowseForFolder wants no trailing separator except after a drive.
  if (start.size() > 3 && start.back() == L'\\') start.pop_back();
  const std::wstring wideTitle = Wide(title);
  wchar_t display[MAX_PATH + 1] = {};
  BROWSEINFOW info = {};
  info.hwndOwner = static_cast<HWND>(owner_);
  info.pszDisplayName = display;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = FolderCallback;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  CoInitialize(nullptr);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  std::wstring path;
  if (chosen) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListW(chosen, buffer)) path = buffer;
    CoTaskMemFree(chosen);
  }
  CoUninitialize();
  std::string result = Taken(path);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

bool Win32Dialogs::YesNo(const std::string& title, const std::string& text) {
  return MessageBoxA(static_cast<HWND>(owner_), text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32Dialogs::Message(const std::string& title, const std::string& text) {
  MessageBoxA(static_cast<HWND>(owner_), text.c_str(), title.c_str(), MB_OK);
}

std::vector<std::string> Win32Dialogs::TakeLeftOut() { return std::exchange(leftOut_, {}); }

void Win32Dialogs::MessageUtf8(const std::string& title, const std::string& text) {
  MessageBoxW(static_cast<HWND>(owner_), Widened(text, CP_UTF8).c_str(), Widened(title, CP_UTF8).c_str(), MB_OK);
}

}  // namespace tw
