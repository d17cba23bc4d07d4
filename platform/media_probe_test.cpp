#include "platform/media_probe.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using End = CapturedRun::End;

// Answers every run with one canned outcome and remembers what was run.
class CannedProcesses : public Processes {
 public:
  explicit CannedProcesses(CapturedRun answer) : answer_(std::move(answer)) {}
  std::optional<ProcessId> StartScript(const std::string&, const std::string&, int) override { return std::nullopt; }
  bool IsRunning(ProcessId) override { return false; }
  CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                          uint32_t timeLimitMs) override {
    runs.push_back(program + "|" + (arguments.empty() ? "" : arguments[0]) + "|" + std::to_string(arguments.size()) +
                   "|" + std::to_string(timeLimitMs));
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
      {{End::Finished, 1, ""}, std::nullopt},                              // the probe could not open it
      {{End::Finished, 0xC0000005, "frames=50 rate=25\n"}, std::nullopt},  // crashed after answering
      {{End::TimedOut, 0, "frames=50 rate=25\n"}, std::nullopt},           // hung after answering
      {{End::NotStarted, 0, ""}, std::nullopt},                            // no fathom.exe beside the program
      {{End::Finished, 0, "frames=50 rate=25"}, std::nullopt},             // cut short
      {{End::Finished, 0, "frames=50 rate=25\nframes=1 rate=1\n"}, std::nullopt},
      {{End::Finished, 0, "frames=-5 rate=25\n"}, std::nullopt},
      {{End::Finished, 0, "frames=-0 rate=25\n"}, std::nullopt},
      {{End::Finished, 0, "frames=99999999999 rate=25\n"}, std::nullopt},
      {{End::Finished, 0, "frames= rate=25\n"}, std::nullopt},
      {{End::Finished, 0, "frames=50  rate=25\n"}, std::nullopt},
      {{End::Finished, 0, "rate=25 frames=50\n"}, std::nullopt},
      {{End::Finished, 0, "Frames=50 rate=25\n"}, std::nullopt},
  };
  for (const Case& c : cases) {
    CannedProcesses processes(c.run);
    ProbeMedia media(processes, "C:\\Prog\\fathom.exe");
    const std::optional<MediaHandle> h = media.OpenMedia("D:\\clips\\my clip.avi");
    ASSERT_EQ(processes.runs, std::vector<std::string>{"C:\\Prog\\fathom.exe|D:\\clips\\my clip.avi|1|20000"});
    ASSERT_EQ(h.has_value(), c.opened.has_value()) << c.run.output;
    if (!h) continue;
    EXPECT_EQ(media.MediaFrameCount(*h), c.opened->frames);
    EXPECT_EQ(media.MediaFrameRate(*h), c.opened->rate);
    media.CloseMedia(*h);
    EXPECT_EQ(media.MediaFrameCount(*h), 0) << "a closed handle holds nothing";
  }
}

TEST(ProbeMediaTest, TheProbePrintsWhatTheProgramReads) {
  for (ClipMeasure m : {ClipMeasure{50, 25}, ClipMeasure{0, 0}, ClipMeasure{2147483647, 1000}}) {
    const std::optional<ClipMeasure> back = ReadProbeAnswer(ProbeAnswerText(m));
    ASSERT_TRUE(back.has_value()) << ProbeAnswerText(m);
    EXPECT_EQ(back->frames, m.frames);
    EXPECT_EQ(back->rate, m.rate);
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

}  // namespace
}  // namespace tw
