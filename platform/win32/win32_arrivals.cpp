#include "platform/win32/win32_arrivals.h"

#include <windows.h>

#include <algorithm>

#include "platform/listing.h"
#include "platform/win32/win32_pages.h"

namespace tw {
namespace {

// The files, not folders, directly inside `folder` (which ends in "\").
std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((folder + L"*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) files.push_back(folder + found.cFileName);
  } while (FindNextFileW(h, &found));
  FindClose(h);
  return files;
}

void Take(const std::wstring& file, ArrivedFiles& arrived) {
  if (std::optional<std::string> ansi = AnsiPath(file))
    arrived.files.push_back(std::move(*ansi));
  else
    arrived.leftOut.push_back(Utf8(file));
}

}  // namespace

std::optional<std::string> AnsiPath(const std::wstring& path) {
  if (std::optional<std::string> exact = Exactly(path, CP_ACP)) return exact;
  wchar_t shortPath[MAX_PATH + 1] = {};
  const DWORD n = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH + 1);
  if (n > 0 && n <= MAX_PATH) return Exactly(std::wstring_view(shortPath, n), CP_ACP);
  return std::nullopt;
}

ArrivedFiles SortArrivedNames(const std::vector<std::wstring>& names) {
  ArrivedFiles arrived;
  arrived.several = names.size() > 1;
  for (const std::wstring& name : names) {
    const DWORD attributes = name.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      if (!name.empty()) arrived.missing.push_back(Utf8(name));
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      Take(name, arrived);
    } else {
      arrived.several = true;
      std::vector<std::wstring> inside = FilesIn(name.back() == L'\\' || name.back() == L'/' ? name : name + L'\\');
      // Wine lists in the order the disk keeps; Windows in the order of NTFS.
      std::sort(inside.begin(), inside.end(),
                [](const std::wstring& a, const std::wstring& b) { return ListedBefore(Utf8(a), Utf8(b)); });
      for (const std::wstring& file : inside) Take(file, arrived);
    }
  }
  return arrived;
}

}  // namespace tw
