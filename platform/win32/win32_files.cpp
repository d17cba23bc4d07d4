// Files over the ANSI Win32 API. A settings file is replaced by moving a
// flushed temporary over it, so a crash or a full disk never leaves half a file.
#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/listing.h"
#include "platform/native_files.h"

namespace tw {
namespace {

// The folder part of a path including its final separator, or "" for a bare name.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A new file of our own beside a target, deleted again unless it was moved
// over the target: after a failed write and after a piece that throws alike.
class Temporary {
 public:
  explicit Temporary(const std::string& folder) {
    // GetTempFileNameA creates the file, so the name is ours alone.
    owned_ = GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "twr", 0, name_) != 0;
    if (owned_) handle_ = CreateFileA(name_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~Temporary() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (owned_) DeleteFileA(name_);
  }
  bool Open() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
      DWORD n = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
      if (!WriteFile(handle_, bytes.data(), chunk, &n, nullptr) || n == 0) return false;
      bytes.remove_prefix(n);
    }
    return true;
  }
  bool Flush() { return FlushFileBuffers(handle_) != 0; }
  // Closes the file and moves it over `target`; every handle is closed first,
  // as Wine refuses to replace a file open anywhere.
  bool MoveOver(const std::string& target) {
    const bool closed = CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    if (!closed || !MoveFileExA(name_, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return false;
    owned_ = false;
    return true;
  }

 private:
  char name_[MAX_PATH + 1] = {};
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool owned_ = false;
};

}  // namespace

struct NativeFiles::State {};

NativeFiles::NativeFiles() : state_(std::make_unique<State>()) {}
NativeFiles::~NativeFiles() = default;
char NativeSeparator() { return '\\'; }

bool NativeFiles::CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

std::optional<std::string> NativeFiles::Read(const std::string& path) {
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

bool NativeFiles::WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;
  Temporary tmp(FolderOf(path));
  if (!tmp.Open()) return false;
  std::string_view bytes;
  while (next(bytes))
    if (!tmp.Write(bytes)) return false;
  if (flush == Flush::ToDisk && !tmp.Flush()) return false;
  return tmp.MoveOver(path);
}

bool NativeFiles::WriteNew(const std::string& path, std::string_view bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const bool written = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
  if (CloseHandle(h) && written) return true;
  DeleteFileA(path.c_str());
  return false;
}

bool NativeFiles::Remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

// MoveFileA never replaces an existing file.
bool NativeFiles::Rename(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool NativeFiles::IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> NativeFiles::ShortPath(const std::string& path) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  if (n == 0 || n > MAX_PATH) return std::nullopt;
  return std::string(buffer, n);
}

std::optional<std::vector<std::string>> NativeFiles::ListFiles(const std::string& folder, const std::string& pattern) {
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
  // Windows matches the pattern against the short names as well, so "*.avs"
  // finds "x.avsi" (X~1.AVS); only the long name counts here.
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && WildcardMatch(pattern, found.cFileName))
      names.push_back(found.cFileName);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return names;
}

}  // namespace tw
