#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>

#include "platform/native_files.h"

namespace tw {
namespace {

// The folder part of a path including its final separator, or "" for a bare name.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::unique_ptr<Files> MakeNativeFiles() { return std::make_unique<Win32Files>(); }
char NativeSeparator() { return '\\'; }

bool Win32Files::CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

std::optional<std::string> Win32Files::Read(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buf[65536];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
      CloseHandle(h);
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(buf, n);
  }
  CloseHandle(h);
  return content;
}

bool Win32Files::WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;
  std::string folder = FolderOf(path);
  char tmp[MAX_PATH + 1] = {};
  // GetTempFileNameA creates the file, so the name is ours alone.
  if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "twr", 0, tmp) == 0) return false;
  HANDLE h = CreateFileA(tmp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DeleteFileA(tmp);
    return false;
  }
  bool ok = true;
  std::string_view bytes;
  while (ok && next(bytes)) {
    size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 65536));
      if (faultAfter_ >= 0 && written_ + static_cast<long>(chunk) > faultAfter_) {
        chunk = static_cast<DWORD>(std::max(0L, faultAfter_ - written_));
        ok = false;  // the fault strikes after this part
        if (chunk == 0) break;
      }
      DWORD n = 0;
      if (!WriteFile(h, bytes.data() + done, chunk, &n, nullptr) || n == 0) {
        ok = false;
        break;
      }
      done += n;
      written_ += static_cast<long>(n);
    }
  }
  if (ok && flush == Flush::ToDisk && !FlushFileBuffers(h)) ok = false;
  if (!CloseHandle(h)) ok = false;
  if (ok && !MoveFileExA(tmp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) ok = false;
  if (!ok) DeleteFileA(tmp);
  return ok;
}

bool Win32Files::Remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32Files::IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::vector<std::string>> Win32Files::ListFiles(const std::string& folder, const std::string& pattern) {
  std::string query = folder;
  if (!query.empty() && query.back() != '\\' && query.back() != '/') query += '\\';
  query += pattern;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(query.c_str(), &found);
  std::vector<std::string> names;
  if (h == INVALID_HANDLE_VALUE) {
    // An existing folder with no match is an empty listing, not a failure.
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;
    return std::nullopt;
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return names;
}

}  // namespace tw
