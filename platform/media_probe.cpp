#include "platform/media_probe.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tw {
namespace {

// Reads "NAME=DIGITS" at the front of `text` and moves past it.
std::optional<int32_t> TakeField(std::string_view& text, std::string_view name) {
  if (text.substr(0, name.size()) != name || text.substr(name.size(), 1) != "=") return std::nullopt;
  text.remove_prefix(name.size() + 1);
  int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end == text.data() || value < 0 || text.front() == '-') return std::nullopt;
  text.remove_prefix(static_cast<size_t>(end - text.data()));
  return value;
}

}  // namespace

std::string ProbeAnswerText(ClipMeasure m) {
  return "frames=" + std::to_string(m.frames) + " rate=" + std::to_string(m.rate) + "\n";
}

std::optional<ClipMeasure> ReadProbeAnswer(std::string_view text) {
  const std::optional<int32_t> frames = TakeField(text, "frames");
  if (!frames || text.substr(0, 1) != " ") return std::nullopt;
  text.remove_prefix(1);
  const std::optional<int32_t> rate = TakeField(text, "rate");
  // The probe's stdout may be in text mode, which writes CR LF.
  if (!rate || (text != "\n" && text != "\r\n")) return std::nullopt;
  return ClipMeasure{*frames, *rate};
}

int32_t Clamp32(int64_t v) {
  if (v < 0) return 0;
  return v > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(v);
}

int32_t FrameRateOf(int64_t frames, int64_t duration) {
  const int64_t ms = duration / 10000;
  if (ms < 1 || frames <= 0 || frames > std::numeric_limits<int64_t>::max() / 1000) return 0;
  return Clamp32(frames * 1000 / ms);
}

int64_t FramesIn(int64_t duration, int64_t timePerFrame) {
  if (timePerFrame <= 0 || duration <= 0) return 0;
  return duration / timePerFrame + (duration % timePerFrame >= timePerFrame - timePerFrame / 2 ? 1 : 0);
}

std::optional<MediaHandle> ProbeMedia::OpenMedia(const std::string& path) {
  // A name cut by a line end would be two questions; no file has one.
  if (path.find_first_of("\r\n") != std::string::npos) return std::nullopt;
  if (!server_) server_ = processes_.StartChild(probe_, {"--serve"});
  if (!server_) return std::nullopt;
  std::optional<std::string> answer;
  if (server_->WriteLine(path)) answer = server_->ReadLine(kProbeTimeLimitMs);
  if (answer && answer->starts_with(kProbeRefusal)) return std::nullopt;
  const std::optional<ClipMeasure> measure = answer ? ReadProbeAnswer(*answer + "\n") : std::nullopt;
  if (!measure) {
    server_.reset();
    return std::nullopt;
  }
  const MediaHandle h = next_++;
  clips_[h] = *measure;
  return h;
}

int32_t ProbeMedia::MediaFrameCount(MediaHandle h) {
  auto it = clips_.find(h);
  return it == clips_.end() ? 0 : it->second.frames;
}

int32_t ProbeMedia::MediaFrameRate(MediaHandle h) {
  auto it = clips_.find(h);
  return it == clips_.end() ? 0 : it->second.rate;
}

void ProbeMedia::CloseMedia(MediaHandle h) { clips_.erase(h); }

}  // namespace tw
