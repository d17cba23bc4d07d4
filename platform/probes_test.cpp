// The two helpers the program asks: the media probe fathom.exe for a clip's
// numbers, and x264.exe for its version.
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
  explicit CannedProcesses(CapturedRun answer = {}) : answer_(std::move(answer)) {}
  std::optional<ProcessId> StartScript(const std::string&, const std::string&, int) override { return std::nullopt; }
  bool IsRunning(ProcessId) override { return false; }
  CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                          uint32_t timeLimitMs) override {
    std::string run = program;
    for (const std::string& argument : arguments) run += "|" + argument;
    runs.push_back(run + "|" + std::to_string(timeLimitMs));
    return answer_;
  }
  // A probe that answers each question with the next line of `lines`
  // (nothing: it crashed or hung), while `starts` below its limit.
  std::unique_ptr<Child> StartChild(const std::string& program, const std::vector<std::string>& arguments) override {
    struct Canned : Child {
      CannedProcesses& p;
      explicit Canned(CannedProcesses& processes) : p(processes) {}
      bool WriteLine(const std::string& line) override { return p.asked.push_back(line), true; }
      std::optional<std::string> ReadLine(uint32_t ms) override {
        EXPECT_EQ(ms, kProbeTimeLimitMs);
        std::optional<std::string> next = p.lines.front();
        p.lines.erase(p.lines.begin());
        return next;
      }
    };
    runs.push_back(program + "|" + arguments.at(0));
    return runs.size() > startable ? nullptr : std::make_unique<Canned>(*this);
  }
  std::vector<std::string> runs, asked;
  std::vector<std::optional<std::string>> lines;
  size_t startable = 100;

 private:
  CapturedRun answer_;
};

// One probe answers clip after clip; one that crashed, hung or answered
// anything but a measure or a refusal is ended, and the next clip gets a
// new one.
TEST(ProbeMediaTest, OneProbeServesUntilItFails) {
  const struct {
    std::optional<std::string> line;
    std::optional<ClipMeasure> opened;
    size_t starts;  // probes started so far
  } cases[] = {
      {"frames=50 rate=25", ClipMeasure{50, 25}, 1},
      {"frames=2147483647 rate=1000\r", ClipMeasure{2147483647, 1000}, 1},
      {"none: the file has no video", std::nullopt, 1},  // it serves on
      {std::nullopt, std::nullopt, 1},                   // crashed or hung
      {"frames=0 rate=0", ClipMeasure{0, 0}, 2},
      // answers not whole: cut short, out of range, odd
      {"frames=50", std::nullopt, 2},
      {"frames=-5 rate=25", std::nullopt, 3},
      {"frames=99999999999 rate=25", std::nullopt, 4},
      {"frames=50  rate=25", std::nullopt, 5},
      {"Frames=50 rate=25", std::nullopt, 6},
      {"frames=1 rate=2", ClipMeasure{1, 2}, 7},
  };
  CannedProcesses processes;
  for (const auto& c : cases) processes.lines.push_back(c.line);
  ProbeMedia media(processes, "C:\\Prog\\fathom.exe");
  for (const auto& c : cases) {
    const std::optional<MediaHandle> h = media.OpenMedia("D:\\clips\\my clip.avi");
    EXPECT_EQ(processes.runs.size(), c.starts) << c.line.value_or("(none)");
    ASSERT_EQ(h.has_value(), c.opened.has_value()) << c.line.value_or("(none)");
    if (!h) continue;
    EXPECT_EQ(media.MediaFrameCount(*h), c.opened->frames);
    EXPECT_EQ(media.MediaFrameRate(*h), c.opened->rate);
    media.CloseMedia(*h);
    EXPECT_EQ(media.MediaFrameCount(*h), 0) << "a closed handle holds nothing";
  }
  EXPECT_EQ(processes.runs.front(), "C:\\Prog\\fathom.exe|--serve");
  EXPECT_EQ(processes.asked, std::vector<std::string>(std::size(cases), "D:\\clips\\my clip.avi"));
  // A name that would be two questions is not asked; a probe that cannot start opens nothing.
  processes.startable = 0;
  EXPECT_FALSE(media.OpenMedia("D:\\a\nb.avi"));
  EXPECT_FALSE(ProbeMedia(processes, "C:\\absent.exe").OpenMedia("D:\\clips\\my clip.avi"));
  EXPECT_EQ(processes.asked.size(), std::size(cases));
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
