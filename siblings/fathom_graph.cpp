#include "siblings/fathom_graph.h"

#include <windows.h>
// windows.h first: DirectShow needs its types.
#include <dshow.h>
#include <dvdmedia.h>
#include <qedit.h>

#include <cstdio>
#include <vector>

namespace tw::fathom {
namespace {

// Named here: the headers declare the interfaces but not these classes.
const CLSID kSampleGrabber = {0xC1F400A0, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
const CLSID kNullRenderer = {0xC1F400A4, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// Releases a COM interface when it goes out of scope, on every path.
template <typename T>
class Held {
 public:
  Held() = default;
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  ~Held() { Reset(); }
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

// A media type's format block and object are the caller's to free.
class HeldType {
 public:
  HeldType() = default;
  HeldType(const HeldType&) = delete;
  HeldType& operator=(const HeldType&) = delete;
  ~HeldType() {
    if (type.pbFormat) CoTaskMemFree(type.pbFormat);
    if (type.pUnk) type.pUnk->Release();
  }
  AM_MEDIA_TYPE type = {};
};

std::wstring Wide(const std::string& path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return L"";
  std::vector<wchar_t> buf(static_cast<size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, buf.data(), n);
  return buf.data();
}

HRESULT Make(const CLSID& cls, Held<IBaseFilter>& filter) {
  return CoCreateInstance(cls, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.OutVoid());
}

// The filter's first unconnected pin of `direction` after `skip` others.
bool FreePin(IBaseFilter* filter, PIN_DIRECTION direction, int skip, Held<IPin>& pin) {
  Held<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.Out()))) return false;
  for (;;) {
    if (pins->Next(1, pin.Out(), nullptr) != S_OK) return false;
    PIN_DIRECTION d;
    Held<IPin> peer;
    if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction && pin->ConnectedTo(peer.Out()) == VFW_E_NOT_CONNECTED &&
        skip-- == 0)
      return true;
  }
}

// Duration in 100 ns units and, where the graph counts frames itself (on
// Windows; Wine refuses the frame format), the frames.
HRESULT Duration(IGraphBuilder* graph, LONGLONG& duration, LONGLONG& frames) {
  Held<IMediaSeeking> seeking;
  HRESULT hr = graph->QueryInterface(IID_IMediaSeeking, seeking.OutVoid());
  if (FAILED(hr) || FAILED(hr = seeking->GetDuration(&duration))) return hr;
  if (duration < 0) return E_UNEXPECTED;
  frames = -1;
  if (SUCCEEDED(seeking->SetTimeFormat(&TIME_FORMAT_FRAME))) {
    if (FAILED(seeking->GetDuration(&frames))) frames = -1;
    seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);
  }
  return S_OK;
}

// Time per frame in 100 ns units from the video type the grabber took; 0
// when the type carries none.
LONGLONG TimePerFrame(ISampleGrabber* grabber) {
  HeldType connected;
  if (FAILED(grabber->GetConnectedMediaType(&connected.type)) || !connected.type.pbFormat) return 0;
  const AM_MEDIA_TYPE& t = connected.type;
  if (t.formattype == FORMAT_VideoInfo && t.cbFormat >= sizeof(VIDEOINFOHEADER))
    return reinterpret_cast<const VIDEOINFOHEADER*>(t.pbFormat)->AvgTimePerFrame;
  if (t.formattype == FORMAT_VideoInfo2 && t.cbFormat >= sizeof(VIDEOINFOHEADER2))
    return reinterpret_cast<const VIDEOINFOHEADER2*>(t.pbFormat)->AvgTimePerFrame;
  return 0;
}

}  // namespace

std::optional<ClipMeasure> MeasureClip(const std::string& path, std::string& why) {
  auto fail = [&why](const char* step, HRESULT hr) {
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(hr));
    why = std::string(step) + " failed (" + code + ")";
    return std::nullopt;
  };
  const std::wstring wide = Wide(path);
  if (wide.empty()) return fail("reading the name", E_INVALIDARG);
  Held<IGraphBuilder> graph;
  HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.OutVoid());
  if (FAILED(hr)) return fail("making the filter graph", hr);
  Held<IBaseFilter> source, grabbing, sink;
  Held<ISampleGrabber> grabber;
  if (FAILED(hr = graph->AddSourceFilter(wide.c_str(), L"source", source.Out()))) return fail("opening the file", hr);
  if (FAILED(hr = Make(kSampleGrabber, grabbing)) || FAILED(hr = Make(kNullRenderer, sink)) ||
      FAILED(hr = grabbing->QueryInterface(IID_ISampleGrabber, grabber.OutVoid())))
    return fail("making the sample grabber and null renderer", hr);
  AM_MEDIA_TYPE video = {};
  video.majortype = MEDIATYPE_Video;
  if (FAILED(hr = grabber->SetMediaType(&video)) || FAILED(hr = graph->AddFilter(grabbing.Get(), L"grabber")) ||
      FAILED(hr = graph->AddFilter(sink.Get(), L"sink")))
    return fail("adding the sample grabber and null renderer", hr);

  // A source may offer several streams; the first that connects as video wins.
  Held<IPin> grabberIn, grabberOut, sinkIn;
  if (!FreePin(grabbing.Get(), PINDIR_INPUT, 0, grabberIn) || !FreePin(grabbing.Get(), PINDIR_OUTPUT, 0, grabberOut) ||
      !FreePin(sink.Get(), PINDIR_INPUT, 0, sinkIn))
    return fail("finding the pins", E_UNEXPECTED);
  hr = VFW_E_NO_ACCEPTABLE_TYPES;  // what a source without output pins amounts to
  bool connected = false;
  for (int skip = 0; !connected && skip < 16; ++skip) {
    Held<IPin> out;
    if (!FreePin(source.Get(), PINDIR_OUTPUT, skip, out)) break;
    connected = SUCCEEDED(hr = graph->Connect(out.Get(), grabberIn.Get()));
  }
  if (!connected) return fail("connecting a video stream", hr);
  if (FAILED(hr = graph->Connect(grabberOut.Get(), sinkIn.Get()))) return fail("connecting the null renderer", hr);

  LONGLONG duration = 0, frames = -1;
  if (FAILED(hr = Duration(graph.Get(), duration, frames))) return fail("reading the duration", hr);
  if (frames < 0) frames = FramesIn(duration, TimePerFrame(grabber.Get()));
  return ClipMeasure{Clamp32(frames), FrameRateOf(frames, duration)};
}

}  // namespace tw::fathom
