// Files brought to the program from outside: named on its command line,
// handed over by a second start, or dropped on its window.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace tw {

struct ArrivedFiles {
  // Existing files by full path in the ANSI page (or their short path where
  // it lacks a character); a folder's files, not its subfolders, stand for it.
  std::vector<std::string> files;
  // Names of nothing that exists, in UTF-8.
  std::vector<std::string> missing;
  // Existing files the ANSI page cannot name and that have no short path,
  // in UTF-8: the ones the Unicode dialogs leave out.
  std::vector<std::string> leftOut;
  // More than one name came, or a folder: the batch import takes them.
  bool several = false;
};

// `names` sorted through `files`, the headless driver's way: the names are
// bytes, so none is left out. `separator` goes between a folder and its files.
ArrivedFiles SortArrivedNames(Files& files, const std::vector<std::string>& names, char separator);

}  // namespace tw
