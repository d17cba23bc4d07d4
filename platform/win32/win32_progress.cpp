#include "platform/win32/win32_progress.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/win32_window.h"

namespace tw {
namespace {

// A window that has not answered for longer than this looks hung.
constexpr ULONGLONG kShowAfterMs = 500, kAnswerEveryMs = 15;

void SetTextIfNew(HWND h, const std::string& text) {
  char old[1024] = {};
  GetWindowTextA(h, old, sizeof old);
  if (text != old) SetWindowTextA(h, text.c_str());
}

}  // namespace

void Win32Progress::Begin(const std::string& what, int total, bool stoppable) {
  if (depth_++ > 0 || !window_) return;
  what_ = what;
  item_.clear();
  total_ = total;
  done_ = 0;
  stoppable_ = stoppable;
  stopAsked_ = false;
  stopAfter_ = stoppable ? window_->TakeStopAfter() : std::nullopt;
  began_ = answered_ = GetTickCount64();
  window_->SetBusy(true);
}

bool Win32Progress::Step(int done, const std::string& item) {
  if (depth_ != 1 || !window_) return true;  // the steps of work within work are its own
  done_ = done;
  item_ = item;
  if (stopAfter_ && done >= *stopAfter_) stopAsked_ = true;
  if (GetTickCount64() - answered_ >= kAnswerEveryMs) Answer();
  return !stopAsked_;
}

void Win32Progress::End() {
  if (depth_ == 0 || --depth_ > 0 || !window_) return;
  window_->SetBusy(false, box_);
  box_ = count_ = file_ = bar_ = stop_ = nullptr;
}

uint32_t Win32Progress::WaitAny(uint32_t count, void* const* handles, uint32_t ms) {
  if (depth_ == 0 || !window_) return WaitForMultipleObjects(count, handles, FALSE, ms);
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    Answer();
    const ULONGLONG now = GetTickCount64();
    ULONGLONG wait = now < deadline ? deadline - now : 0;
    if (!box_) wait = std::min(wait, began_ + kShowAfterMs > now ? began_ + kShowAfterMs - now : 0);
    const DWORD woke =
        MsgWaitForMultipleObjectsEx(count, handles, static_cast<DWORD>(wait), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke < WAIT_OBJECT_0 + count || woke == WAIT_FAILED) return woke;
    if (GetTickCount64() >= deadline) return WAIT_TIMEOUT;
  }
}

void Win32Progress::Answer() {
  answered_ = GetTickCount64();
  HWND main = window_->handle();
  // A message box shown meanwhile gave its owner the input back.
  if (IsWindowEnabled(main)) window_->SetBusy(true);
  if (!box_ && answered_ - began_ >= kShowAfterMs) MakeBox();
  if (box_) {
    std::string count = what_;
    if (total_ > 0) count.append(" ").append(std::to_string(done_ + 1)).append(" of ").append(std::to_string(total_));
    if (stopAsked_) count.append(", stopping after it");
    SetTextIfNew(count_, count);
    SetTextIfNew(file_, item_);
    if (bar_) SendMessageA(bar_, PBM_SETPOS, done_, 0);
  }
  window_->Pump(box_);
}

void Win32Progress::MakeBox() {
  static const ATOM kClass = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TarnwickProgress";
    return RegisterClassA(&wc);
  }();
  if (!kClass) return;
  const int dpi = static_cast<int>(window_->Dpi());
  const auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (stoppable_ ? WS_SYSMENU : 0);
  RECT outer{0, 0, px(300), px(stoppable_ ? 104 : 70)}, main;
  AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
  GetWindowRect(window_->handle(), &main);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  box_ = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, "TarnwickProgress", "tarnwick", style,
                         (main.left + main.right - w) / 2, (main.top + main.bottom - h) / 2, w, h, window_->handle(),
                         nullptr, GetModuleHandleA(nullptr), this);
  if (!box_) return;
  const auto child = [&](const char* cls, const char* text, DWORD s, int x, int y, int cw, int ch, int id = 0) {
    HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | s, px(x), px(y), px(cw), px(ch), box_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(window_->Font()), FALSE);
    return c;
  };
  count_ = child("STATIC", "", SS_LEFT | SS_NOPREFIX, 12, 10, 276, 16);
  // A long path keeps its start and its file name.
  file_ = child("STATIC", "", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 12, 28, 276, 16);
  if (total_ > 0) {
    bar_ = child(PROGRESS_CLASSA, "", 0, 12, 48, 276, 14);
    SendMessageA(bar_, PBM_SETRANGE32, 0, total_);
  }
  if (stoppable_) stop_ = child("BUTTON", "Stop", BS_DEFPUSHBUTTON | WS_TABSTOP, 110, 72, 80, 24, IDCANCEL);
  ShowWindow(box_, SW_SHOW);
  if (stop_) SetFocus(stop_);
}

LRESULT CALLBACK Win32Progress::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(h, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<Win32Progress*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  // "Stop", Esc and the close box stop the work after the step at hand.
  const bool stop = (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || msg == WM_CLOSE;
  if (!stop || !self) return DefWindowProcA(h, msg, wp, lp);
  if (self->stoppable_ && !self->stopAsked_) {
    self->stopAsked_ = true;
    EnableWindow(self->stop_, FALSE);
  }
  return 0;
}

}  // namespace tw
