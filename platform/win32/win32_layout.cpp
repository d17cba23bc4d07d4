// The window at the scale of its display. The catalogue's positions and
// sizes are the layout at 96 DPI; every other scale is computed from them
// by one rule: each corner of a control is scaled by DPI/96 and rounded to
// the nearest pixel, so controls that touch at 96 DPI touch at every scale.
// The fonts are made at their point size for the DPI, and the logo is drawn
// at the size its place takes.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/win32/win32_window.h"

namespace tw {
namespace {

constexpr int kDesignDpi = 96;
constexpr int kClientWidth = 308, kClientHeight = 359;
// The default padding and minimum width leave too little room for the
// five captions, and the strip shows scroll arrows instead of "Job".
constexpr int kTabMinWidth = 20, kTabPadding = 4, kTabPaddingY = 3;

int Scaled(int v, UINT dpi) { return MulDiv(v, static_cast<int>(dpi), kDesignDpi); }

RECT ScaledRect(const ControlSpec& s, UINT dpi) {
  return {Scaled(s.x, dpi), Scaled(s.y, dpi), Scaled(s.x + s.w, dpi), Scaled(s.y + s.h, dpi)};
}

// A function of user32 that older Windows lack, or null: the program starts
// on Windows 7.
template <typename F>
F User32(const char* name) {
  // by way of the plain function pointer, which may stand for any other
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// The DPI the system's own fonts and metrics are made for.
UINT SystemDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

// Windows 10 keeps a DPI for each window, that of its display; older
// Windows and Wine have one for all.
UINT DpiOf(HWND window) {
  static const auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const UINT dpi = forWindow ? forWindow(window) : 0;
  return dpi ? dpi : SystemDpi();
}

// The window's outer size for its client area at `dpi`, with the frame of that DPI.
SIZE OuterSize(HWND main, UINT dpi) {
  static const auto adjust = User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT r{0, 0, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi)};
  const DWORD style = GetWindowLongA(main, GWL_STYLE), exStyle = GetWindowLongA(main, GWL_EXSTYLE);
  if (!adjust || !adjust(&r, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

void SetTabMetrics(HWND panel, UINT dpi) {
  SendMessageA(panel, TCM_SETMINTABWIDTH, 0, Scaled(kTabMinWidth, dpi));
  SendMessageA(panel, TCM_SETPADDING, 0, MAKELPARAM(Scaled(kTabPadding, dpi), Scaled(kTabPaddingY, dpi)));
}

HFONT TahomaAt(UINT dpi) {
  return CreateFontA(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

// The default GUI font is made for the system's DPI; for another, the
// same font with its height scaled.
HFONT GuiFontAt(UINT dpi) {
  auto* stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const UINT system = SystemDpi();
  LOGFONTA font{};
  if (dpi == system || !GetObjectA(stock, sizeof font, &font)) return stock;
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(system));
  return CreateFontIndirectA(&font);
}

// What part of which source pixels each of `m` pixels covers when `n`
// source pixels are drawn over them: pixel i covers [i*n, (i+1)*n) in
// units of 1/m source pixel.
std::vector<std::vector<std::pair<int, int>>> Shares(int n, int m) {
  std::vector<std::vector<std::pair<int, int>>> shares(static_cast<size_t>(m));
  for (int i = 0; i < m; ++i)
    for (int s = i * n / m; s < n && s * m < (i + 1) * n; ++s)
      shares[i].push_back({s, std::min((s + 1) * m, (i + 1) * n) - std::max(s * m, i * n)});
  return shares;
}

// The logo at w x h pixels, each the average of the part of the picture it
// covers. At a whole factor (100%, 200%) that is one picture pixel
// repeated, so the blocky letters keep their hard edges. At any other
// (150%) repeating would make some blocks a pixel wider than their
// neighbours and the letters uneven; the average keeps every block the
// same width and softens only the one pixel where two blocks meet.
HBITMAP LogoAt(const Picture& p, int w, int h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;  // no alpha, so the picture control keeps this bitmap rather than a copy
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  const auto across = Shares(p.width, w), down = Shares(p.height, h);
  const int64_t whole = static_cast<int64_t>(p.width) * p.height;
  const int stride = (w * 3 + 3) & ~3;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int64_t sum[3] = {};
      for (auto [sy, shareY] : down[y])
        for (auto [sx, shareX] : across[x]) {
          const uint32_t colour = p.palette[p.pixels[static_cast<size_t>(sy) * p.width + sx]];
          for (int k = 0; k < 3; ++k) sum[k] += int64_t{shareX} * shareY * ((colour >> (8 * k)) & 0xFF);
        }
      auto* out = static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * stride + 3 * x;  // blue, green, red
      for (int k = 0; k < 3; ++k) out[k] = static_cast<uint8_t>((sum[k] + whole / 2) / whole);
    }
  return bitmap;
}

}  // namespace

void Win32Window::MakePages(HWND panel, const ControlSpec& s) {
  SetTabMetrics(panel, SystemDpi());
  for (int k = 0; k < FixedItemCount(s); ++k) AddItem(ControlId::MainPanel, s.items[k]);
  // The pages' margins inside the panel are measured once, in the panel's
  // first font (the system's, made for the system's DPI); at another DPI
  // they grow in the same proportion.
  RECT area{s.x, s.y, s.x + s.w, s.y + s.h};
  SendMessageA(panel, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  pageInsets_ = {area.left - s.x, area.top - s.y, s.x + s.w - area.right, s.y + s.h - area.bottom};
  for (HWND& page : pages_) {
    page = CreateWindowExA(WS_EX_CONTROLPARENT, "TarnwickPage", "", WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                           area.right - area.left, area.bottom - area.top, main_, nullptr, instance_, this);
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void Win32Window::LayOut(UINT dpi, bool sizeWindow) {
  if (dpi == 0) dpi = DpiOf(main_);
  const bool ready = std::exchange(ready_, false);  // what the controls report meanwhile is no user's doing
  HFONT oldTahoma = std::exchange(tahoma_, TahomaAt(dpi));
  HFONT oldGui = std::exchange(gui_, GuiFontAt(dpi));
  SetTabMetrics(hwnd(ControlId::MainPanel), dpi);
  // The font first: combo boxes and lists take their item heights from it.
  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& s = Spec(IdAt(i));
    SendMessageA(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(s.defaultFont ? gui_ : tahoma_), FALSE);
    const RECT r = ScaledRect(s, dpi);
    if (s.kind == Kind::Image && logo_) {
      const LPARAM logo = reinterpret_cast<LPARAM>(LogoAt(*logo_, r.right - r.left, r.bottom - r.top));
      DeleteObject(reinterpret_cast<HGDIOBJ>(SendMessageA(controls_[i], STM_SETIMAGE, IMAGE_BITMAP, logo)));
    }
    SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The job list's lines are measured again in its new font, and the old
  // fonts go once nothing holds them any more.
  list_.FontChanged();
  dpi_ = dpi;
  DeleteObject(oldTahoma);
  DeleteObject(oldGui);  // a stock font stays
  const RECT panel = ScaledRect(Spec(ControlId::MainPanel), dpi);
  const UINT system = SystemDpi();
  const auto inset = [&](LONG v) { return MulDiv(v, static_cast<int>(dpi), static_cast<int>(system)); };
  const RECT area{panel.left + inset(pageInsets_.left), panel.top + inset(pageInsets_.top),
                  panel.right - inset(pageInsets_.right), panel.bottom - inset(pageInsets_.bottom)};
  for (HWND page : pages_)
    SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (sizeWindow) {
    // The frame as it really is around a client area of the right size.
    RECT outer, client;
    GetWindowRect(main_, &outer);
    GetClientRect(main_, &client);
    SetWindowPos(main_, nullptr, 0, 0, outer.right - outer.left - client.right + Scaled(kClientWidth, dpi),
                 outer.bottom - outer.top - client.bottom + Scaled(kClientHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  ready_ = ready;
}

LRESULT Win32Window::Rescale(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kGetDpiScaledSize) {  // asked before the new rectangle is suggested
    *reinterpret_cast<SIZE*>(lp) = OuterSize(main_, static_cast<UINT>(wp));
    return TRUE;
  }
  const auto* r = reinterpret_cast<const RECT*>(lp);
  SetWindowPos(main_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut(HIWORD(wp), false);
  return 0;
}

}  // namespace tw
