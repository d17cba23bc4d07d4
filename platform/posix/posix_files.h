// Files on POSIX, behaving as the program expects of Windows: "\" separates
// folders as well as "/", names that differ only in case find each other
// when the exact name is missing, and a read-only file is neither replaced
// nor removed.
#pragma once

#include "platform/files.h"
#include "platform/posix/folder_index.h"

namespace tw {

class PosixFiles : public Files {
 public:
  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush = Flush::ToDisk) override;
  bool Remove(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  // Linux volumes give no short names.
  std::optional<std::string> ShortPath(const std::string&) override { return std::nullopt; }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder, const std::string& pattern) override;

 private:
  // The path as the disk knows it: separators turned to "/", each missing
  // component matched without regard to case.
  std::string Resolve(const std::string& path);

  FolderIndex index_;
};

}  // namespace tw
