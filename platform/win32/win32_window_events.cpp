// The window's side of the event loop: messages become events, the page
// keys turn pages, and the focus survives dialogs and lost activation.
#include "platform/win32/win32_window.h"
// commctrl.h needs the types of windows.h
#include <commctrl.h>

namespace tw {
namespace {

constexpr int kFirstId = 1000;
constexpr int kPages = 5;

}  // namespace

Event Win32Window::WaitEvent() {
  while (events_.empty()) {
    // Once the running action has made all its changes, the list is
    // measured at most once.
    if (widestGone_) RefreshExtent(ControlId::JobList);
    NoteFocus();
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      // No message will come any more: end without a question.
      Event end;
      end.sessionEnd = true;
      return end;
    }
    Process(msg);
  }
  return TakeEvent();
}

std::optional<Event> Win32Window::PollEvent() {
  MSG msg;
  while (events_.empty() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Process(msg);
  if (widestGone_) RefreshExtent(ControlId::JobList);
  NoteFocus();
  if (events_.empty()) return std::nullopt;
  return TakeEvent();
}

Event Win32Window::TakeEvent() {
  Event e = events_.front();
  events_.pop_front();
  return e;
}

// In UTF-16, so a character the ANSI page lacks reaches a text field as it
// was typed, and the field can tell it apart.
void Win32Window::Process(MSG& msg) {
  if (TurnPageKey(msg)) return;
  if (IsDialogMessageW(main_, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

// Ctrl+Tab and Ctrl+PageDown show the next page, Ctrl+Shift+Tab and
// Ctrl+PageUp the previous one, as in every tabbed Windows dialog. They are
// taken before any control sees them: a combo box would otherwise change
// its choice, and the dialog keys would treat Ctrl+Tab as Tab.
bool Win32Window::TurnPageKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
  if (msg.hwnd != main_ && !IsChild(main_, msg.hwnd)) return false;
  int step = 0;
  if (msg.wParam == VK_TAB)
    step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
  else if (msg.wParam == VK_NEXT)
    step = 1;
  else if (msg.wParam == VK_PRIOR)
    step = -1;
  else
    return false;
  const int page = (State(ControlId::MainPanel) + step + kPages) % kPages;
  SetState(ControlId::MainPanel, page);
  if (ready_) events_.push_back({ControlId::MainPanel, EventType::None});
  FocusFirstControl(page);
  return true;
}

void Win32Window::FocusFirstControl(int page) {
  for (int i = 0; i < kControlCount; ++i) {
    HWND h = controls_[i];
    if (static_cast<int>(Spec(IdAt(i)).page) != page || !(GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP)) continue;
    if (IsWindowVisible(h) && IsWindowEnabled(h)) {
      SetFocus(h);
      return;
    }
  }
  SetFocus(hwnd(ControlId::MainPanel));
}

void Win32Window::NoteFocus() {
  HWND focus = GetFocus();
  if (focus && IsChild(main_, focus)) lastFocus_ = focus;
}

// The window itself never keeps the focus: it goes back to the control that
// had it, or to the first control of the page when that one is gone from view.
void Win32Window::RestoreFocus() {
  if (!ready_) return;
  HWND h = lastFocus_;
  if (h && IsWindow(h) && IsChild(main_, h) && IsWindowVisible(h) && IsWindowEnabled(h) &&
      IsWindowEnabled(GetParent(h))) {
    SetFocus(h);
    return;
  }
  FocusFirstControl(State(ControlId::MainPanel));
}

LRESULT CALLBACK Win32Window::MainProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(h, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (self && self->main_ == h) return self->Handle(msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

// Pages pass their controls' notifications on to the main window.
LRESULT CALLBACK Win32Window::PageProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(h, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (self && (msg == WM_COMMAND || msg == WM_HSCROLL || msg == WM_NOTIFY)) return self->Handle(msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

LRESULT Win32Window::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      const int index = static_cast<int>(LOWORD(wp)) - kFirstId;
      if (!ready_ || writing_ || index < 0 || index >= kControlCount || lp == 0) return 0;
      const Kind kind = Spec(IdAt(index)).kind;
      const UINT code = HIWORD(wp);
      EventType type = EventType::None;
      if (kind == Kind::Edit || kind == Kind::NumericEdit) {
        if (code == EN_CHANGE)
          type = EventType::Change;
        else if (code == EN_KILLFOCUS)
          type = EventType::LostFocus;
        else if (code != EN_SETFOCUS)
          return 0;
      } else if (kind == Kind::EditableCombo && code == CBN_EDITCHANGE) {
        type = EventType::Change;
      }
      events_.push_back({IdAt(index), type});
      return 0;
    }
    case WM_HSCROLL:
      for (int i = 0; i < kControlCount; ++i)
        if (controls_[i] == reinterpret_cast<HWND>(lp) && ready_) events_.push_back({IdAt(i), EventType::None});
      return 0;
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const NMHDR*>(lp);
      if (n->hwndFrom == hwnd(ControlId::MainPanel) && n->code == TCN_SELCHANGE) {
        ShowPage(State(ControlId::MainPanel));
        if (ready_) events_.push_back({ControlId::MainPanel, EventType::None});
      }
      return 0;
    }
    case WM_ACTIVATE:
      // A dialog, a minimise or another program takes the activation away;
      // when it comes back, so does the focus.
      if (LOWORD(wp) == WA_INACTIVE)
        NoteFocus();
      else if (!HIWORD(wp))
        RestoreFocus();
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DROPFILES:
    case WM_COPYDATA:
    case WM_TIMER:
      return Signalled(msg, wp, lp);
    case WM_DPICHANGED:
    case kGetDpiScaledSize:
      return Rescale(msg, wp, lp);
    case WM_CLOSE:
      events_.push_back(Event{});  // the loop asks, then ends or goes on
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The process may be ended as soon as this returns, so the exit
      // sequence runs now; the loop then ends without a question.
      if (wp) {
        if (exitSequence_) exitSequence_();
        Event end;
        end.sessionEnd = true;
        events_.push_back(end);
        PostMessageA(main_, WM_NULL, 0, 0);  // wakes a loop that waits
      }
      return 0;
    default:
      return DefWindowProcA(main_, msg, wp, lp);
  }
}

}  // namespace tw
