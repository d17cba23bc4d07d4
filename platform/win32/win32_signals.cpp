// The window's signals: files dropped on it, names a later start of the
// program hands over, and the timer the program asks for.
#include <windows.h>
// shellapi.h needs the types of windows.h
#include <shellapi.h>

#include "platform/win32/win32_arrivals.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_pages.h"
#include "platform/win32/win32_window.h"

namespace tw {
namespace {

constexpr UINT_PTR kTimer = 1;

std::vector<std::wstring> Dropped(HDROP drop) {
  std::vector<std::wstring> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
    names.push_back(name);
  }
  DragFinish(drop);
  return names;
}

}  // namespace

LRESULT Win32Window::Signalled(UINT msg, WPARAM wp, LPARAM lp) {
  Event signal;
  if (msg == WM_TIMER) {
    if (wp != kTimer) return 0;
    KillTimer(main_, kTimer);
    timerAsked_ = false;
    if (std::function<void()> due = std::exchange(due_, nullptr)) due();
    return 0;
  }
  std::vector<std::wstring> names;
  if (msg == WM_DROPFILES) {
    names = Dropped(reinterpret_cast<HDROP>(wp));
  } else {
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lp);
    const std::optional<std::vector<std::wstring>> handed = HandedOverNames(data);
    if (!handed) return AnswerTool(reinterpret_cast<HWND>(wp), data);
    if (!ready_) return FALSE;
    BringToFront(main_);
    names = *handed;
  }
  if (!names.empty()) {
    arrived_.push_back(SortArrivedNames(names));
    signal.signal = Signal::FilesArrived;
    events_.push_back(signal);
    // A hand-over is sent, not posted: the loop's GetMessage takes it
    // without returning, so a posted message wakes the loop.
    PostMessageW(main_, WM_NULL, 0, 0);
  }
  return TRUE;
}

void Win32Window::AskTimer(unsigned ms, std::function<void()> due) {
  due_ = std::move(due);
  if (!due_) {
    KillTimer(main_, kTimer);
    timerAsked_ = false;
  } else if (!timerAsked_) {
    timerAsked_ = SetTimer(main_, kTimer, ms, nullptr) != 0;
  }
}

ArrivedFiles Win32Window::TakeArrivedFiles() {
  if (arrived_.empty()) return {};
  ArrivedFiles files = std::move(arrived_.front());
  arrived_.pop_front();
  return files;
}

std::optional<std::string> Win32Window::TextBeyondPage(ControlId id) const {
  if (Spec(id).kind != Kind::Edit) return std::nullopt;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd(id))) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd(id), text.data(), static_cast<int>(text.size()))));
  if (Exactly(text, CP_ACP)) return std::nullopt;
  return Utf8(text);
}

}  // namespace tw
