// Files on POSIX, behaving as the program expects of Windows: "\" separates
// folders as well as "/", names that differ only in case find each other
// when the exact name is missing, and a read-only file is never replaced.
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
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder, const std::string& pattern) override;

  // Fault hook for tests: every write fails once this many bytes were written
  // in total; negative turns the fault off.
  void FailWritesAfter(long bytes) {
    faultAfter_ = bytes;
    written_ = 0;
  }

  // The path as the disk knows it: separators turned to "/", each missing
  // component matched without regard to case.
  std::string Resolve(const std::string& path);
  // Files flushed to the disk so far, for tests.
  int Flushes() const { return flushes_; }
  // Folder reads made for such matches so far, for tests.
  int FolderReads() const { return index_.Reads(); }

 private:
  FolderIndex index_;
  long faultAfter_ = -1;
  long written_ = 0;
  int flushes_ = 0;
};

}  // namespace tw
