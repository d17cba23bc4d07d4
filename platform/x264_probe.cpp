#include "platform/x264_probe.h"

namespace tw {
namespace {

class NoneFound : public X264Finder {
 public:
  std::optional<std::string> VersionLine() override { return std::nullopt; }
};

}  // namespace

X264Finder& NoX264() {
  static NoneFound none;
  return none;
}

std::vector<std::string> X264Candidates(const std::string& programFolder, const std::string& searchPath) {
  std::vector<std::string> paths = {programFolder + "x264.exe", programFolder + "tools\\x264.exe"};
  size_t start = 0;
  while (start <= searchPath.size()) {
    size_t end = searchPath.find(';', start);
    if (end == std::string::npos) end = searchPath.size();
    std::string folder = searchPath.substr(start, end - start);
    // cmd takes a quoted entry without its quotes; an empty one names no folder.
    std::erase(folder, '"');
    if (!folder.empty()) {
      if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
      paths.push_back(folder + "x264.exe");
    }
    start = end + 1;
  }
  return paths;
}

std::optional<std::string> X264Probe::VersionLine() {
  for (const std::string& path : X264Candidates(programFolder_, searchPath_)) {
    if (!files_.IsFile(path)) continue;
    const CapturedRun run = processes_.RunCaptured(path, {"--version"}, kX264VersionTimeLimitMs);
    // The first x264.exe is the one the script starts, answer or not.
    if (run.end != CapturedRun::End::Finished) return std::string();
    return run.output.substr(0, run.output.find_first_of("\r\n"));
  }
  return std::nullopt;
}

}  // namespace tw
