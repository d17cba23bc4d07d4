// Another file layer with chosen calls made to fail, as a full disk, a
// folder that cannot be written or a file held open elsewhere make them
// fail: the crash-safety tests' way into every failure path of the program
// and of the layer below, as SQLite's I/O-error tests make the Nth write fail.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/files.h"

namespace tw {

enum class FileCall { Write, Remove, CreateFolder };

struct Fault {
  FileCall call = FileCall::Write;
  // Which call fails, counted from the injection: 1 is the next one.
  int nth = 1;
  // A failing write hands the layer below at most this many bytes of its
  // content and then breaks off, so that layer has to throw its temporary
  // file away. Without a count it fails before anything is created or any
  // piece of the content is taken, as a write into a missing folder does.
  std::optional<size_t> afterBytes = std::nullopt;
  // Every later call of the kind fails as well.
  bool lasting = false;
};

class FaultyFiles : public Files {
 public:
  explicit FaultyFiles(Files& inner) : inner_(inner) {}

  // Replaces any fault injected before.
  void Inject(const Fault& fault) {
    fault_ = fault;
    calls_ = 0;
  }

  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override { return inner_.Read(path); }
  bool WriteReplaceFrom(const std::string& path, const Pieces& next, Flush flush = Flush::ToDisk) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override { return inner_.Rename(from, to); }
  bool IsFile(const std::string& path) override { return inner_.IsFile(path); }
  std::optional<std::string> ShortPath(const std::string& path) override { return inner_.ShortPath(path); }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder, const std::string& pattern) override {
    return inner_.ListFiles(folder, pattern);
  }

 private:
  // Counts a call of `call`; true when it is to fail.
  bool Strikes(FileCall call);

  Files& inner_;
  std::optional<Fault> fault_;
  int calls_ = 0;
};

}  // namespace tw
