// The window's side of the event loop: messages become events, the page
// keys turn pages, and the focus survives dialogs and lost activation.
#include "platform/win32/win32_window.h"
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace tw {
namespace {

constexpr int kFirstId = 1000;
constexpr int kPages = 5;

}  // namespace

Event Win32Window::WaitEvent() {
  while (events_.empty()) {
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
  NoteFocus();
  if (events_.empty()) return std::nullopt;
  return TakeEvent();
}

void Win32Window::Pump(HWND dialog) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop, once the work is over
      return;
    }
    if (!dialog || !IsDialogMessageW(dialog, &msg)) Process(msg);
  }
}

// What the focus does meanwhile is not the user's doing: no event comes of it.
void Win32Window::SetBusy(bool busy, HWND progress) {
  const bool writing = std::exchange(writing_, true);
  if (busy) {
    NoteFocus();
    EnableWindow(main_, FALSE);
  } else {
    // enabled first, so that the activation comes back to it
    EnableWindow(main_, TRUE);
    if (progress) DestroyWindow(progress);
    if (GetActiveWindow() == main_) RestoreFocus();
  }
  writing_ = writing;
}

LRESULT Win32Window::AnswerTool(HWND from, const COPYDATASTRUCT& data) {
  const std::string_view bytes(static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0);
  if (data.dwData == kAskJobLines) {
    std::string all;
    for (int i = 0; i < list_.Count(); ++i) (all += list_.At(i)) += '\0';
    COPYDATASTRUCT answer{kAskJobLines, static_cast<DWORD>(all.size()), all.data()};
    SendMessageA(from, WM_COPYDATA, reinterpret_cast<WPARAM>(main_), reinterpret_cast<LPARAM>(&answer));
  } else if (data.dwData == kAddJobLines) {
    HoldRedraw(ControlId::JobList, true);
    for (size_t at = 0, end; at < bytes.size(); at = end + 1) {
      end = std::min(bytes.find('\0', at), bytes.size());
      AddItem(ControlId::JobList, std::string(bytes.substr(at, end - at)));
    }
    HoldRedraw(ControlId::JobList, false);
  } else if (data.dwData == kStopAfter && bytes.size() == sizeof(int)) {
    int steps = 0;
    std::memcpy(&steps, bytes.data(), sizeof steps);
    stopAfter_ = steps;
  } else {
    return FALSE;
  }
  return TRUE;
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
  if (self && (msg == WM_COMMAND || msg == WM_HSCROLL || msg == WM_NOTIFY || msg == WM_DRAWITEM ||
               msg == WM_CHARTOITEM || msg == WM_VKEYTOITEM))
    return self->Handle(msg, wp, lp);
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
    case WM_DRAWITEM:
      if (reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem != hwnd(ControlId::JobList)) return FALSE;
      list_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_CHARTOITEM:  // a letter typed in the job list finds the next line that begins with it
      return list_.LineStartingWith(static_cast<char>(LOWORD(wp)),
                                    static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lp), LB_GETCARETINDEX, 0, 0)));
    case WM_VKEYTOITEM:
      return -1;  // every other key as the list box takes it
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
