#include "platform/x264_probe.h"

#include <gtest/gtest.h>

#include "platform/memory_files.h"

namespace tw {
namespace {

// Records what was run and gives one prepared answer.
class AskedProcesses : public Processes {
 public:
  std::optional<ProcessId> StartScript(const std::string&, const std::string&, int) override { return {}; }
  bool IsRunning(ProcessId) override { return false; }
  CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                          uint32_t timeLimitMs) override {
    asked.push_back(program);
    EXPECT_EQ(arguments, std::vector<std::string>{"--version"});
    EXPECT_EQ(timeLimitMs, 5000u);
    return answer;
  }
  CapturedRun answer;
  std::vector<std::string> asked;
};

using End = CapturedRun::End;

struct ProbeCase {
  const char* name;
  std::vector<std::string> present;  // x264.exe files on the disk
  const char* searchPath;
  End end;
  const char* output;
  const char* asked;  // the one program run, "" for none
  std::optional<std::string> line;
};

TEST(X264Probe, AsksTheFirstX264TheScriptWouldStart) {
  const ProbeCase cases[] = {
      {"beside the program first",
       {"C:\\Prog\\x264.exe", "C:\\Prog\\tools\\x264.exe"},
       "C:\\bin",
       End::Finished,
       "x264 0.164.3095 baee400\r\n(libswscale 5.9.100)\r\n",
       "C:\\Prog\\x264.exe",
       "x264 0.164.3095 baee400"},
      {"then its tools folder",
       {"C:\\Prog\\tools\\x264.exe", "C:\\bin\\x264.exe"},
       "C:\\bin",
       End::Finished,
       "x264 0.54.620",
       "C:\\Prog\\tools\\x264.exe",
       "x264 0.54.620"},
      {"then the search path in order, quotes and empty entries passed over",
       {"D:\\b c\\x264.exe", "E:\\x264.exe"},
       ";C:\\bin;\"D:\\b c\";E:\\",
       End::Finished,
       "x264 0.164.3095 baee400\n",
       "D:\\b c\\x264.exe",
       "x264 0.164.3095 baee400"},
      {"an answer cut off by the time limit",
       {"C:\\Prog\\x264.exe"},
       "",
       End::TimedOut,
       "x264 0.1",
       "C:\\Prog\\x264.exe",
       ""},
      {"none anywhere", {}, "C:\\bin;D:\\", End::NotStarted, "", "", std::nullopt},
  };
  for (const ProbeCase& c : cases) {
    MemoryFiles files;
    for (const std::string& path : c.present) {
      files.CreateFolders(path.substr(0, path.rfind('\\')));
      files.WriteReplace(path, "MZ");
    }
    AskedProcesses processes;
    processes.answer = {c.end, 0, c.output};
    X264Probe probe(files, processes, "C:\\Prog\\", c.searchPath);
    EXPECT_EQ(probe.VersionLine(), c.line) << c.name;
    EXPECT_EQ(processes.asked,
              std::string(c.asked).empty() ? std::vector<std::string>{} : std::vector<std::string>{c.asked})
        << c.name;
  }
}

}  // namespace
}  // namespace tw
