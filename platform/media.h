// The media-information service: the length of a clip in frames and its
// whole-number frame rate.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

using MediaHandle = int;

class MediaInfo {
 public:
  virtual ~MediaInfo() = default;
  virtual std::optional<MediaHandle> OpenMedia(const std::string& path) = 0;
  virtual int32_t MediaFrameCount(MediaHandle h) = 0;
  // frames * 1000 / duration in whole milliseconds, fraction dropped; 0 when
  // the duration is below one millisecond.
  virtual int32_t MediaFrameRate(MediaHandle h) = 0;
  virtual void CloseMedia(MediaHandle h) = 0;
};

}  // namespace tw
