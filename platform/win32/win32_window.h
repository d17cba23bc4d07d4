// The main window: every catalogue control as a real control, read and
// written through the Form interface; notifications become events.
#pragma once

#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

#include "app/event_loop.h"
#include "platform/win32/win32_list_data.h"
#include "ui/form.h"
#include "ui/logo.h"

namespace tw {

// The window class, style and extended style a control of the catalogue is
// made with (WS_CHILD and WS_VISIBLE added).
struct ControlClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};
ControlClass ClassOf(const ControlSpec& s);

class Win32Window : public Form, public EventSource {
 public:
  // Creates the window hidden with all controls and fonts; Show shows it.
  Win32Window(HINSTANCE instance, const Picture* logo);
  ~Win32Window() override;
  void Show();
  HWND handle() const { return main_; }

  int State(ControlId id) const override;
  void SetState(ControlId id, int state) override;
  std::string Text(ControlId id) const override;
  bool Enabled(ControlId id) const override { return IsWindowEnabled(hwnd(id)) != 0; }
  void Enable(ControlId id, bool on) override { EnableWindow(hwnd(id), on); }
  bool Visible(ControlId id) const override { return (GetWindowLongA(hwnd(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  void Show(ControlId id, bool on) override { ShowWindow(hwnd(id), on ? SW_SHOW : SW_HIDE); }
  void AddItem(ControlId id, std::string text, int index = -1) override;
  void ClearItems(ControlId id) override;
  int ItemCount(ControlId id) const override;
  std::string ItemText(ControlId id, int index) const override;
  void AppendItemText(ControlId id, int index, std::string& out) const override;
  void SetItemText(ControlId id, int index, std::string_view text) override;
  void RemoveItem(ControlId id, int index, int count = 1) override;
  void HoldRedraw(ControlId id, bool hold) override;
  std::optional<std::string> TextBeyondPage(ControlId id) const override;

  Event WaitEvent() override;
  void OnSessionEnd(std::function<void()> exitSequence) override { exitSequence_ = std::move(exitSequence); }
  void AskTimer(unsigned ms, std::function<void()> due) override;
  ArrivedFiles TakeArrivedFiles() override;
  // Handles the messages already queued, without waiting; the next event,
  // if they raised one.
  std::optional<Event> PollEvent();

  // Long work: the window keeps the focus where it is and takes no input
  // until the work is over; `progress`, the work's own window, goes then.
  void SetBusy(bool busy, HWND progress = nullptr);
  // Handles the messages already queued, the dialog keys of `dialog` first;
  // the events they raise wait for the loop.
  void Pump(HWND dialog);
  UINT Dpi() const { return dpi_; }
  HFONT Font() const { return gui_; }
  // The steps after which a tool asked to stop the next long work.
  std::optional<int> TakeStopAfter() { return std::exchange(stopAfter_, std::nullopt); }

 protected:
  void WriteText(ControlId id, std::string_view text) override;

 private:
  static LRESULT CALLBACK MainProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControl(int index);
  // The pages under the panel's row of captions.
  void MakePages(HWND panel, const ControlSpec& s);
  // Every control placed, sized and given its font for `dpi` (0: the
  // window's own), from the catalogue's layout at 96 DPI; the window's
  // client area follows when `sizeWindow` is set.
  void LayOut(UINT dpi, bool sizeWindow);
  // WM_GETDPISCALEDSIZE and WM_DPICHANGED: the window on a display of another scale.
  LRESULT Rescale(UINT msg, WPARAM wp, LPARAM lp);
  void ShowPage(int page);
  // One message as the loop handles it: page keys, dialog keys, dispatch.
  void Process(MSG& msg);
  bool TurnPageKey(const MSG& msg);
  void FocusFirstControl(int page);
  void NoteFocus();
  void RestoreFocus();
  Event TakeEvent();
  // WM_COPYDATA from the test and benchmark tools (see ToolAsk).
  LRESULT AnswerTool(HWND from, const COPYDATASTRUCT& data);
  // Files dropped and names handed over by a later start wait as an event,
  // so an action that is running (in a dialog, say) never sees them; the
  // timer asked for runs its `due` at once.
  LRESULT Signalled(UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd(ControlId id) const { return controls_[Index(id)]; }
  LRESULT Send(ControlId id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
    return SendMessageA(hwnd(id), msg, wp, lp);
  }

  static constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE of Windows 10

  HINSTANCE instance_;
  HWND main_ = nullptr;
  HWND pages_[5] = {};
  HWND controls_[kControlCount] = {};
  bool ready_ = false;    // events flow once the window is built
  bool writing_ = false;  // the program is setting a text
  std::deque<Event> events_;
  std::deque<ArrivedFiles> arrived_;
  bool timerAsked_ = false;
  std::function<void()> due_;
  std::function<void()> exitSequence_;
  HWND lastFocus_ = nullptr;  // the control that had the focus last
  Win32JobList list_;         // the lines of JobList
  std::optional<int> stopAfter_;
  UINT dpi_ = 96;

  std::optional<Picture> logo_;             // drawn anew for every scale
  HFONT tahoma_ = nullptr, gui_ = nullptr;  // the two fonts at the window's DPI
  RECT pageInsets_{};                       // the pages' margins inside the panel, at the system's DPI
};

}  // namespace tw
