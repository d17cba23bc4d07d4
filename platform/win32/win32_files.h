// Files over the ANSI Win32 API. A settings file is replaced by moving a
// flushed temporary over it, so a crash or a full disk never leaves half a file.
#pragma once

#include "platform/files.h"

namespace tw {

class Win32Files : public Files {
 public:
  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush = Flush::ToDisk) override;
  bool Remove(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  std::optional<std::string> ShortPath(const std::string& path) override;
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder, const std::string& pattern) override;
};

}  // namespace tw
