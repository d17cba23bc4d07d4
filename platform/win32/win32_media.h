// Clip length and frame rate through DirectShow. A clip is measured once
// when it is opened; the graph is released at once, so a handle holds only
// the two numbers.
#pragma once

#include <map>

#include "platform/media.h"

namespace tw {

class Win32Media : public MediaInfo {
 public:
  std::optional<MediaHandle> OpenMedia(const std::string& path) override;
  int32_t MediaFrameCount(MediaHandle h) override;
  int32_t MediaFrameRate(MediaHandle h) override;
  void CloseMedia(MediaHandle h) override;

 private:
  struct Clip {
    int32_t frames;
    int32_t rate;
  };
  std::map<MediaHandle, Clip> clips_;
  MediaHandle next_ = 1;
};

// frames * 1000 / duration in whole milliseconds, fraction dropped; 0 when
// the duration is below one millisecond. `duration` is in 100 ns units.
int32_t FrameRateOf(int64_t frames, int64_t duration);
// Frames in `duration` (100 ns units) at `secondsPerFrame`; 0 when unknown.
int64_t FramesIn(int64_t duration, double secondsPerFrame);

}  // namespace tw
