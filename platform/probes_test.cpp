// The two helpers the program asks in hidden runs: the media probe fathom.exe
// for a clip's numbers, and x264.exe for its version.
#include <gtest/gtest.h>

#include "platform/media_probe.h"
#include "platform/memory_files.h"
#include "platform/x264_probe.h"

namespace tw {
namespace {

using End = CapturedRun::End;

// Answers every hidden run with one canned outcome and records each as
// "program|argument|...|time limit".
class CannedProcesses : public Processes {
 public:
  explicit CannedProcesses(CapturedRun answer) : answer_(std::move(answer)) {}
  std::optional<ProcessId> StartScript(const std::string&, const std::string&, int) override { return std::nullopt; }
  bool IsRunning(ProcessId) override { return false; }
  CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                          uint32_t timeLimitMs) override {
    std::string run = program;
    for (const std::string& argument : arguments) run += "|" + argument;
    runs.push_back(run + "|" + std::to_string(timeLimitMs));
    return answer_;
  }
  std::vector<std::string> runs;

 private:
  CapturedRun answer_;
};

TEST(ProbeMediaTest, OnlyAWholeAnswerOfAFinishedProbeOpensTheClip) {
  struct Case {
    CapturedRun run;
    std::optional<ClipMeasure> opened;
  } cases[] = {
      {{End::Finished, 0, "frames=50 rate=25\r\n"}, ClipMeasure{50, 25}},
      {{End::Finished, 0, "frames=0 rate=0\n"}, ClipMeasure{0, 0}},
      {{End::Finished, 0, "frames=2147483647 rate=1000\n"}, ClipMeasure{2147483647, 1000}},
      {{End::Finished, 1, ""}, std::nullopt},                              // the probe could not open it
      {{End::Finished, 0xC0000005, "frames=50 rate=25\n"}, std::nullopt},  // crashed after answering
      {{End::TimedOut, 0, "frames=50 rate=25\n"}, std::nullopt},           // hung after answering
      {{End::NotStarted, 0, ""}, std::nullopt},                            // no fathom.exe beside the program
  };
  std::vector<Case> all(std::begin(cases), std::end(cases));
  // Answers of a finished probe that are not whole: cut short, twice, out of range, odd.
  for (const char* odd : {"frames=50 rate=25", "frames=50 rate=25\nframes=1 rate=1\n", "frames=-5 rate=25\n",
                          "frames=-0 rate=25\n", "frames=99999999999 rate=25\n", "frames= rate=25\n",
                          "frames=50  rate=25\n", "rate=25 frames=50\n", "Frames=50 rate=25\n"})
    all.push_back({{End::Finished, 0, odd}, std::nullopt});
  for (const Case& c : all) {
    CannedProcesses processes(c.run);
    ProbeMedia media(processes, "C:\\Prog\\fathom.exe");
    const std::optional<MediaHandle> h = media.OpenMedia("D:\\clips\\my clip.avi");
    ASSERT_EQ(processes.runs, std::vector<std::string>{"C:\\Prog\\fathom.exe|D:\\clips\\my clip.avi|20000"});
    ASSERT_EQ(h.has_value(), c.opened.has_value()) << c.run.output;
    if (!h) continue;
    EXPECT_EQ(media.MediaFrameCount(*h), c.opened->frames);
    EXPECT_EQ(media.MediaFrameRate(*h), c.opened->rate);
    media.CloseMedia(*h);
    EXPECT_EQ(media.MediaFrameCount(*h), 0) << "a closed handle holds nothing";
  }
}

TEST(ProbeMediaTest, FrameRateFromFramesAndDuration) {
  struct Case {
    int64_t frames, duration;
    int32_t rate;
  } cases[] = {
      {50, 20000000, 25}, {1000, 417083333, 23},  // 23.976 fps: the fraction is dropped
      {1, 9999, 0},                               // below one millisecond
      {0, 2000000, 0},                            // no frames known
      {3, 29999, 1500},                           // 2.9999 ms counts as 2 ms; rounding would give 1000
      {100, 0, 0},        {INT64_MAX, 20000000, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FrameRateOf(c.frames, c.duration), c.rate) << c.frames << " " << c.duration;
}

TEST(ProbeMediaTest, FramesFromDurationAndTimePerFrame) {
  struct Case {
    int64_t duration, perFrame, frames;
  } cases[] = {
      {20000000, 400000, 50}, {417083333, 417083, 1000},  // 23.976 fps, time per frame already rounded
      {20199999, 400000, 50},                             // just under half a frame over
      {20200000, 400000, 51}, {20000000, 0, 0},          {0, 400000, 0}, {20000000, -400000, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FramesIn(c.duration, c.perFrame), c.frames) << c.duration;
}

TEST(X264Probe, AsksTheFirstX264TheScriptWouldStart) {
  const struct {
    std::vector<std::string> present;  // x264.exe files on the disk, the one to ask first
    const char* searchPath;
    End end;
    const char* output;
    std::optional<std::string> line;
  } cases[] = {
      // beside the program, in its tools folder, on the search path in order (quotes, empty entries passed over)
      {{"C:\\Prog\\x264.exe", "C:\\x264.exe"}, "C:\\", End::Finished, "x264 0.1.2 a\r\n(b)\n", "x264 0.1.2 a"},
      {{"C:\\Prog\\tools\\x264.exe", "C:\\bin\\x264.exe"}, "C:\\bin", End::Finished, "x264 0.54.620", "x264 0.54.620"},
      {{"D:\\b c\\x264.exe", "E:\\x264.exe"}, ";C:\\bin;\"D:\\b c\";E:\\", End::Finished, "x264 0.1.2\n", "x264 0.1.2"},
      {{"C:\\Prog\\x264.exe"}, "", End::TimedOut, "x264 0.1", ""},  // an answer cut off by the time limit
      {{}, "C:\\bin;D:\\", End::NotStarted, "", std::nullopt},
  };
  for (const auto& c : cases) {
    MemoryFiles files;
    for (const std::string& path : c.present) {
      files.CreateFolders(path.substr(0, path.rfind('\\')));
      files.WriteReplace(path, "MZ");
    }
    CannedProcesses processes({c.end, 0, c.output});
    EXPECT_EQ(X264Probe(files, processes, "C:\\Prog\\", c.searchPath).VersionLine(), c.line) << c.searchPath;
    const std::string asked = c.present.empty() ? "" : c.present[0] + "|--version|5000";
    EXPECT_EQ(processes.runs, asked.empty() ? std::vector<std::string>{} : std::vector<std::string>{asked});
  }
}

}  // namespace
}  // namespace tw
