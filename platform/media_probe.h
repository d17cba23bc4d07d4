// The media service of the real program: a clip is measured by the probe
// fathom.exe in a process of its own, so a codec that crashes or hangs while
// the clip is opened costs that clip's numbers, never the program. One
// probe, started with "--serve", answers for clip after clip.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/media.h"
#include "platform/processes.h"

namespace tw {

// What the probe prints for a clip it could open.
struct ClipMeasure {
  int32_t frames = 0;
  int32_t rate = 0;  // whole frames per second, as MediaFrameRate gives it
};

// "frames=F rate=R" and a line end: the probe's whole answer.
std::string ProbeAnswerText(ClipMeasure m);
// How the probe's answer for a clip it cannot open begins; the reason follows.
inline constexpr const char* kProbeRefusal = "none:";
// The numbers of a whole answer; nothing for any other text.
std::optional<ClipMeasure> ReadProbeAnswer(std::string_view text);

// frames * 1000 / duration in whole milliseconds, fraction dropped; 0 when
// the duration is below one millisecond. `duration` is in 100 ns units.
int32_t FrameRateOf(int64_t frames, int64_t duration);
// Frames in `duration` at `timePerFrame` (both in 100 ns units), to the
// nearest frame; 0 when either is unknown.
int64_t FramesIn(int64_t duration, int64_t timePerFrame);
// A count that does not fit in 32 bits is held at the largest that does.
int32_t Clamp32(int64_t v);

// Long enough for a slow network share, short enough that a hung codec is
// given up before the user gives up waiting.
constexpr uint32_t kProbeTimeLimitMs = 20000;

class ProbeMedia : public MediaInfo {
 public:
  // `probe` is the full path of fathom.exe.
  ProbeMedia(Processes& processes, std::string probe) : processes_(processes), probe_(std::move(probe)) {}
  // Asks the running probe, started at the first clip. A probe that crashed,
  // hung past the limit or answered anything but the two answers it knows
  // is ended: the clip cannot be opened, and the next clip gets a new one.
  std::optional<MediaHandle> OpenMedia(const std::string& path) override;
  int32_t MediaFrameCount(MediaHandle h) override;
  int32_t MediaFrameRate(MediaHandle h) override;
  void CloseMedia(MediaHandle h) override;

 private:
  Processes& processes_;
  std::string probe_;
  std::unique_ptr<Child> server_;
  std::map<MediaHandle, ClipMeasure> clips_;  // measured once, at the opening
  MediaHandle next_ = 1;
};

}  // namespace tw
