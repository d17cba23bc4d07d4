// Names that come to the program in UTF-16 (its command line, a second
// start, a drop), sorted into what the program can take.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/arrived_files.h"

namespace tw {

// An existing file's or folder's path in the ANSI page: exactly, or its
// short path where the page lacks a character of it; nothing where neither
// holds (a look-alike would name another file, or none).
std::optional<std::string> AnsiPath(const std::wstring& path);

// Existing files by their ANSI path, a folder's files in its place (not
// those of its subfolders, in the order NTFS lists them), missing names,
// and files the page cannot name.
ArrivedFiles SortArrivedNames(const std::vector<std::wstring>& names);

}  // namespace tw
