// The floor of start-up: a Win32 program that makes the same controls as
// the program's window (classes, styles, fonts, places, the page captions
// and the pages, a picture of the logo's size), shows the window, then
// waits to be closed. It fills no list, loads no settings and decodes no
// logo: that is the program's own work.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "platform/win32/win32_window.h"
#include "ui/catalogue.h"

namespace {

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "BenchFloorWindow";
  RegisterClassA(&wc);
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "BenchFloorPage";
  RegisterClassA(&wc);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT outer{0, 0, 308, 359};
  AdjustWindowRect(&outer, style, FALSE);
  HWND main = CreateWindowExA(0, "BenchFloorWindow", "floor", style, 0, 0, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
  HFONT tahoma =
      CreateFontA(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
  HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND pages[5] = {};
  for (int i = 0; i < tw::kControlCount; ++i) {
    const tw::ControlSpec& s = tw::Spec(tw::IdAt(i));
    const tw::ControlClass c = tw::ClassOf(s);
    HWND parent = s.page == tw::Page::Window ? main : pages[static_cast<int>(s.page)];
    HWND h = CreateWindowExA(c.exStyle, c.name, s.text, WS_CHILD | WS_VISIBLE | c.style, s.x, s.y, s.w, s.h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), instance, nullptr);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(s.defaultFont ? gui : tahoma), FALSE);
    if (s.kind == tw::Kind::Image) {
      BITMAPINFO info{};
      info.bmiHeader = {sizeof info.bmiHeader, s.w, -s.h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      SendMessageA(h, STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    }
    if (s.kind != tw::Kind::TabPanel) continue;
    for (int k = 0; k < tw::FixedItemCount(s); ++k) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(s.items[k]);
      SendMessageA(h, TCM_INSERTITEMA, k, reinterpret_cast<LPARAM>(&item));
    }
    RECT area{s.x, s.y, s.x + s.w, s.y + s.h};
    SendMessageA(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int k = 0; k < 5; ++k)
      pages[k] = CreateWindowExA(WS_EX_CONTROLPARENT, "BenchFloorPage", "",
                                 WS_CHILD | WS_CLIPSIBLINGS | (k ? 0 : WS_VISIBLE), area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, main, nullptr, instance, nullptr);
  }
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
