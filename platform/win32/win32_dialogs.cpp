#include "platform/win32/win32_dialogs.h"

#include <windows.h>
// windows.h first: the dialog headers need its types.
#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace tw {
namespace {

constexpr DWORD kFileFlags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_HIDEREADONLY;

struct PreparedDialog {
  std::string filter;
  std::vector<char> file;
  OPENFILENAMEA ofn = {};
};

void Prepare(PreparedDialog& p, void* owner, const FileDialog& d, DWORD flags, size_t bufferSize) {
  p.filter = NulSeparatedFilter(d.filter);
  p.file.assign(std::max(bufferSize, d.preset.size() + 1), '\0');
  std::copy(d.preset.begin(), d.preset.end(), p.file.begin());
  p.ofn = {};
  p.ofn.lStructSize = sizeof p.ofn;
  p.ofn.hwndOwner = static_cast<HWND>(owner);
  p.ofn.lpstrFilter = p.filter.size() > 2 ? p.filter.c_str() : nullptr;
  p.ofn.nFilterIndex = 1;
  p.ofn.lpstrFile = p.file.data();
  p.ofn.nMaxFile = static_cast<DWORD>(p.file.size());
  p.ofn.lpstrTitle = d.title.empty() ? nullptr : d.title.c_str();
  p.ofn.Flags = flags;
}

std::string RunSingle(void* owner, const FileDialog& d, bool save) {
  PreparedDialog p;
  Prepare(p, owner, d, kFileFlags, MAX_PATH + 1);
  const BOOL ok = save ? GetSaveFileNameA(&p.ofn) : GetOpenFileNameA(&p.ofn);
  return ok ? std::string(p.file.data()) : std::string();
}

int CALLBACK FolderCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
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

std::vector<std::string> SplitMultiSelection(const char* buffer, size_t size) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (i < size && buffer[i] != '\0') {
    size_t end = i;
    while (end < size && buffer[end] != '\0') ++end;
    parts.emplace_back(buffer + i, end - i);
    i = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::string folder = parts.front();
  if (folder.back() != '\\') folder += '\\';
  std::vector<std::string> paths;
  for (size_t k = 1; k < parts.size(); ++k) paths.push_back(folder + parts[k]);
  return paths;
}

std::string Win32Dialogs::Open(const FileDialog& d) { return RunSingle(owner_, d, false); }
std::string Win32Dialogs::Save(const FileDialog& d) { return RunSingle(owner_, d, true); }

std::vector<std::string> Win32Dialogs::OpenMany(const FileDialog& d) {
  // A megabyte holds thousands of long names, so the dialog almost never has
  // to be shown twice; when it says the selection did not fit, it also says
  // how much room it needs, and the buffer grows until everything fits.
  size_t size = 1024 * 1024;
  for (int attempt = 0; attempt < 8; ++attempt) {
    PreparedDialog p;
    Prepare(p, owner_, d, kFileFlags | OFN_ALLOWMULTISELECT, size);
    if (GetOpenFileNameA(&p.ofn)) return SplitMultiSelection(p.file.data(), p.file.size());
    if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) return {};
    // The first two bytes then hold the size needed, when it fits in them.
    const size_t needed = static_cast<unsigned char>(p.file[0]) | (static_cast<unsigned char>(p.file[1]) << 8);
    size = std::max(size * 4, needed + 2);
  }
  return {};
}

std::string Win32Dialogs::Folder(const std::string& title, const std::string& startFolder) {
  std::string start = startFolder;
  // SHBrowseForFolder wants no trailing separator except after a drive.
  if (start.size() > 3 && start.back() == '\\') start.pop_back();
  char display[MAX_PATH + 1] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = static_cast<HWND>(owner_);
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = FolderCallback;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  CoInitialize(nullptr);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  std::string result;
  if (chosen) {
    char path[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(chosen, path)) result = path;
    CoTaskMemFree(chosen);
  }
  CoUninitialize();
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

bool Win32Dialogs::YesNo(const std::string& title, const std::string& text) {
  return MessageBoxA(static_cast<HWND>(owner_), text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32Dialogs::Message(const std::string& title, const std::string& text) {
  MessageBoxA(static_cast<HWND>(owner_), text.c_str(), title.c_str(), MB_OK);
}

}  // namespace tw
