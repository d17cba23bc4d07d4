// Which x264.exe the run script will start, and what it says it is.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/processes.h"

namespace tw {

class X264Finder {
 public:
  virtual ~X264Finder() = default;
  // The first line x264.exe answers to --version (empty when it gave no
  // answer in time), or nothing when there is no x264.exe to ask.
  virtual std::optional<std::string> VersionLine() = 0;
  // Asks as VersionLine() does and keeps the answer as Found(): the x264.exe
  // found last, whose syntax Auto chooses.
  std::optional<std::string> Look() { return found_ = VersionLine(); }
  const std::optional<std::string>& Found() const { return found_; }

 private:
  std::optional<std::string> found_;
};

// Finds none: for the tests that do not care.
X264Finder& NoX264();

// The places the run script looks, in its order: the program folder and
// its tools folder (which quillon.bat puts first on the search path), then
// every folder of `searchPath` (";"-separated, as Windows keeps PATH).
// `programFolder` ends in a separator.
std::vector<std::string> X264Candidates(const std::string& programFolder, const std::string& searchPath);

// A hung or crashing x264.exe costs the start-up this long at most.
constexpr uint32_t kX264VersionTimeLimitMs = 5000;

class X264Probe : public X264Finder {
 public:
  X264Probe(Files& files, Processes& processes, std::string programFolder, std::string searchPath)
      : files_(files),
        processes_(processes),
        programFolder_(std::move(programFolder)),
        searchPath_(std::move(searchPath)) {}
  std::optional<std::string> VersionLine() override;

 private:
  Files& files_;
  Processes& processes_;
  std::string programFolder_;
  std::string searchPath_;
};

}  // namespace tw
