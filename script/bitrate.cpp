#include "script/bitrate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ui/reading.h"

namespace tw {

namespace {

constexpr double kBitsPerMegabyte = 1024.0 * 1024.0 * 8.0;
constexpr int64_t kBitsPerAudioKbit = 1024;
// Slightly below the exact kbit/s figure, so the result stays under target.
constexpr int64_t kBitrateDivisor = 1003;
// Far beyond any real target or audio share; two of them still subtract
// without overflow.
constexpr int64_t kBitsLimit = 4'000'000'000'000'000'000;

int64_t RoundedBits(double bits) {
  if (std::isnan(bits)) return 0;
  if (bits > static_cast<double>(kBitsLimit)) return kBitsLimit;
  if (bits < -static_cast<double>(kBitsLimit)) return -kBitsLimit;
  return static_cast<int64_t>(std::nearbyint(bits));
}

}  // namespace

std::string BitrateFragment(const EncodeOptions& o, MediaInfo& media, const std::string& mediaPath) {
  if (!o.size) return " -B " + o.rate;
  const std::optional<MediaHandle> handle = media.OpenMedia(mediaPath);
  if (!handle) return "";
  const int32_t frames = media.MediaFrameCount(*handle);
  const int32_t rate = media.MediaFrameRate(*handle);
  media.CloseMedia(*handle);
  // Without a frame rate or with a clip shorter than half a second there is
  // no playing time to spread the bits over.
  if (rate <= 0) return "";
  const int32_t seconds = static_cast<int32_t>(std::nearbyint(static_cast<double>(frames) / rate));
  if (seconds <= 0) return "";

  const int64_t targetBits = RoundedBits(RealReading(o.rate) * kBitsPerMegabyte);
  int64_t audioBits = 0;
  if (o.audio) {
    // seconds and the audio figure are both 32-bit, so their product fits.
    const int64_t kbits = static_cast<int64_t>(seconds) * IntegerReading(o.audioBitrate);
    constexpr int64_t kKbitsLimit = kBitsLimit / kBitsPerAudioKbit;
    audioBits = std::clamp(kbits, -kKbitsLimit, kKbitsLimit) * kBitsPerAudioKbit;
  }
  const int64_t perSecond = (targetBits - audioBits) / seconds;
  return " -B " + std::to_string(perSecond / kBitrateDivisor);
}

}  // namespace tw
