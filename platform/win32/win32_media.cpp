#include "platform/win32/win32_media.h"

#include <windows.h>
// windows.h first: DirectShow needs its types.
#include <dshow.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tw {
namespace {

// Releases a COM interface when it goes out of scope, on every path.
template <typename T>
class Held {
 public:
  ~Held() {
    if (p_) p_->Release();
  }
  T** Out() { return &p_; }
  void** OutVoid() { return reinterpret_cast<void**>(&p_); }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// COM for the calling thread for as long as the measuring takes.
class ComScope {
 public:
  ComScope() : hr_(CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }

 private:
  HRESULT hr_;
};

int32_t Clamp32(int64_t v) {
  if (v < 0) return 0;
  return v > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(v);
}

std::wstring Wide(const std::string& path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return L"";
  std::vector<wchar_t> buf(static_cast<size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, buf.data(), n);
  return buf.data();
}

// Frames and duration (100 ns) of a rendered graph, or nothing.
std::optional<std::pair<int64_t, int64_t>> Measure(IGraphBuilder* graph) {
  Held<IMediaSeeking> seeking;
  if (FAILED(graph->QueryInterface(IID_IMediaSeeking, seeking.OutVoid()))) return std::nullopt;
  LONGLONG duration = 0;
  if (FAILED(seeking->GetDuration(&duration)) || duration < 0) return std::nullopt;
  // Windows counts frames itself; Wine refuses the frame format.
  if (SUCCEEDED(seeking->SetTimeFormat(&TIME_FORMAT_FRAME))) {
    LONGLONG frames = 0;
    const bool counted = SUCCEEDED(seeking->GetDuration(&frames));
    seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);
    if (counted && frames >= 0) return std::make_pair(static_cast<int64_t>(frames), static_cast<int64_t>(duration));
  }
  Held<IBasicVideo> video;
  REFTIME perFrame = 0;
  if (FAILED(graph->QueryInterface(IID_IBasicVideo, video.OutVoid())) || FAILED(video->get_AvgTimePerFrame(&perFrame)))
    return std::make_pair(int64_t{0}, static_cast<int64_t>(duration));
  return std::make_pair(FramesIn(duration, perFrame), static_cast<int64_t>(duration));
}

}  // namespace

int64_t FramesIn(int64_t duration, double secondsPerFrame) {
  if (!(secondsPerFrame > 0) || duration <= 0) return 0;
  const double frames = std::round(static_cast<double>(duration) / (secondsPerFrame * 1e7));
  return frames > 9e18 ? 0 : static_cast<int64_t>(frames);
}

int32_t FrameRateOf(int64_t frames, int64_t duration) {
  const int64_t ms = duration / 10000;
  if (ms < 1 || frames <= 0) return 0;
  if (frames > std::numeric_limits<int64_t>::max() / 1000) return 0;
  return Clamp32(frames * 1000 / ms);
}

std::optional<MediaHandle> Win32Media::OpenMedia(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (wide.empty()) return std::nullopt;
  ComScope com;
  std::optional<std::pair<int64_t, int64_t>> measured;
  {
    Held<IGraphBuilder> graph;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.OutVoid())))
      return std::nullopt;
    if (FAILED(graph->RenderFile(wide.c_str(), nullptr))) return std::nullopt;
    measured = Measure(graph.operator->());
  }
  if (!measured) return std::nullopt;
  const MediaHandle h = next_++;
  clips_[h] = Clip{Clamp32(measured->first), FrameRateOf(measured->first, measured->second)};
  return h;
}

int32_t Win32Media::MediaFrameCount(MediaHandle h) {
  auto it = clips_.find(h);
  return it == clips_.end() ? 0 : it->second.frames;
}

int32_t Win32Media::MediaFrameRate(MediaHandle h) {
  auto it = clips_.find(h);
  return it == clips_.end() ? 0 : it->second.rate;
}

void Win32Media::CloseMedia(MediaHandle h) { clips_.erase(h); }

}  // namespace tw
