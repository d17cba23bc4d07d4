// The file layer of the platform the program was built for: the disk, as
// platform/posix and platform/win32 each define it.
#pragma once

#include <memory>

#include "platform/files.h"

namespace tw {

class NativeFiles : public Files {
 public:
  NativeFiles();
  ~NativeFiles() override;

  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush = Flush::ToDisk) override;
  bool WriteNew(const std::string& path, std::string_view bytes) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool IsFile(const std::string& path) override;
  // Windows volumes may give short (8.3) names; Linux volumes give none.
  std::optional<std::string> ShortPath(const std::string& path) override;
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder, const std::string& pattern) override;

 private:
  // What the platform's layer keeps between calls.
  struct State;
  std::unique_ptr<State> state_;
};

inline std::unique_ptr<Files> MakeNativeFiles() { return std::make_unique<NativeFiles>(); }
// The folder separator that ends the program folder: '\' on Windows.
char NativeSeparator();

}  // namespace tw
