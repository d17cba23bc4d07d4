// Files kept in memory, the file layer of the unit tests in the native build
// and under Wine alike. It behaves as the program expects of a Windows disk:
// "\" and "/" both separate folders, "." and ".." are resolved by the path
// alone, names are found without regard to case and listed as they were
// made, in the order NTFS lists them, and a read-only file is neither
// replaced nor removed. Any name is taken, so the program's own checks of
// the names it makes are what the tests see. The current folder, the
// root "/" and drive roots such as "C:" exist from the start; every other
// folder must be created.
#pragma once

#include <map>

#include "platform/files.h"

namespace tw {

class MemoryFiles : public Files {
 public:
  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush = Flush::ToDisk) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool IsFile(const std::string& path) override;
  // The short path given to the file or folder, while it exists.
  std::optional<std::string> ShortPath(const std::string& path) override;
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder, const std::string& pattern) override;

  // Every missing folder along `path`; false where a file stands in the way.
  bool CreateFolders(const std::string& path);
  bool SetReadOnly(const std::string& path);
  // Makes the volume give `shortPath` for the existing `path`.
  bool GiveShortPath(const std::string& path, const std::string& shortPath);
  // Everything below `folder`, each as its path from there with "/" between
  // names and after a folder's, for tests that nothing else was written.
  std::vector<std::string> Below(const std::string& folder) const;
  // Writes that asked for their content to reach the disk.
  int Flushes() const { return flushes_; }

 private:
  struct Entry {
    std::string name;  // as it was created
    bool folder = false;
    bool readOnly = false;
    std::optional<std::string> shortPath;
    std::string bytes;
  };
  // Where a path leads: its key is the root's ("." for the current folder,
  // "" for "/", "c:" for a drive), then "/" and each name folded to lower
  // case, so a root's key holds no "/".
  struct Place {
    std::string key;
    std::string name;  // the last name as written, "" for a root
  };
  static Place Locate(const std::string& path);
  bool IsFolder(const std::string& key) const;
  Entry* Find(const std::string& key);
  // The place of a new or replaced entry whose folder exists.
  std::optional<Place> Creatable(const std::string& path) const;

  std::map<std::string, Entry> entries_;
  int flushes_ = 0;
};

}  // namespace tw
