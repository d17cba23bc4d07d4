#include "tests/gui/remote_form.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_list_data.h"

namespace gui {
namespace {

constexpr int kFirstId = 1000;

LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(h, msg, wp, lp); }

bool IsCombo(tw::Kind k) { return k == tw::Kind::DropDownList || k == tw::Kind::EditableCombo; }

std::string answer;  // what the program answered last

// A window callback: 32-bit Windows calls it as stdcall, which no lambda is.
LRESULT CALLBACK TakeAnswer(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_COPYDATA) return DefWindowProcA(h, msg, wp, lp);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  answer.assign(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
  return TRUE;
}

// Hands `bytes` to the program as a WM_COPYDATA of `kind`; its answer, if
// it gives one, comes back the same way to a window of ours.
std::string Tell(HWND main, ULONG_PTR kind, const std::string& bytes = "") {
  static HWND sink = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TakeAnswer;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnwickToolAnswer";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  answer.clear();
  COPYDATASTRUCT data{kind, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR ok = 0;
  SendMessageTimeoutA(main, WM_COPYDATA, reinterpret_cast<WPARAM>(sink), reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                      60000, &ok);
  return answer;
}

}  // namespace

// GetWindowText does not ask a window of another process for its text, so
// the text is asked for with the message itself.
std::string WindowText(HWND h) {
  const LRESULT n = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  const LRESULT got = SendMessageA(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got < 0 ? 0 : static_cast<size_t>(got));
  return text;
}

std::string ClassOf(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

// A window callback: 32-bit Windows calls it as stdcall, which no lambda is.
static BOOL CALLBACK AddWindow(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

std::vector<HWND> WindowsOf(HWND parent) {
  std::vector<HWND> all;
  parent ? EnumChildWindows(parent, AddWindow, reinterpret_cast<LPARAM>(&all))
         : EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

// At another scale than 96 DPI, that of the client area to its 308 pixels,
// each place and size within a pixel.
bool AtPlace(HWND h, const tw::ControlSpec& s, bool withHeight) {
  RECT r, client;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  GetClientRect(GetAncestor(h, GA_ROOT), &client);
  const double scale = client.right / 308.0, slack = client.right == 308 ? 0 : 1;
  const auto at = [&](LONG got, int want) { return std::abs(got - want * scale) <= slack; };
  return at(r.left, s.x) && at(r.top, s.y) && at(r.right - r.left, s.w) && (!withHeight || at(r.bottom - r.top, s.h));
}

bool WaitFor(int ms, const std::function<bool()>& done) {
  for (const ULONGLONG end = GetTickCount64() + ms;; Sleep(10)) {
    if (done()) return true;
    if (GetTickCount64() > end) return false;
  }
}

// A control made without an identifier is known by its place on its page.
RemoteForm::RemoteForm(HWND main, HANDLE process) : main_(main), process_(process) {
  const std::vector<HWND> all = WindowsOf(main);
  for (HWND h : all)
    if (const int index = GetDlgCtrlID(h) - kFirstId; index >= 0 && index < tw::kControlCount) controls_[index] = h;
  for (int i = 0; i < tw::kControlCount; ++i)
    for (HWND h : all)
      if (tw::Spec(tw::IdAt(i)).noIdentity && !controls_[i] && GetDlgCtrlID(h) < kFirstId &&
          AtPlace(h, tw::Spec(tw::IdAt(i))))
        controls_[i] = h;
  for (int i = 0; i < tw::kControlCount && !markerBar_; ++i)
    if (tw::Spec(tw::IdAt(i)).kind == tw::Kind::TrackBar) markerBar_ = controls_[i];
}

bool RemoteForm::Complete() const { return markerBar_ && std::ranges::find(controls_, nullptr) == controls_.end(); }

int RemoteForm::State(tw::ControlId id) const {
  using enum tw::Kind;
  static const std::map<tw::Kind, UINT> kAsk = {{CheckBox, BM_GETCHECK},       {DropDownList, CB_GETCURSEL},
                                                {EditableCombo, CB_GETCURSEL}, {TrackBar, TBM_GETPOS},
                                                {List, LB_GETCURSEL},          {TabPanel, TCM_GETCURSEL}};
  const auto ask = kAsk.find(tw::Spec(id).kind);
  return ask == kAsk.end() ? 0 : static_cast<int>(Send(Control(id), ask->second));
}

std::string RemoteForm::Text(tw::ControlId id) const {
  const tw::Kind kind = tw::Spec(id).kind;
  if (kind == tw::Kind::DropDownList || kind == tw::Kind::List) return ItemText(id, State(id));
  if (!tw::HasText(kind) || !Control(id)) return std::string();
  return WindowText(Control(id));
}

int RemoteForm::ItemCount(tw::ControlId id) const {
  const tw::Kind kind = tw::Spec(id).kind;
  const UINT ask = IsCombo(kind) ? CB_GETCOUNT : kind == tw::Kind::List ? LB_GETCOUNT : TCM_GETITEMCOUNT;
  return tw::HasItems(kind) ? static_cast<int>(Send(Control(id), ask)) : 0;
}

std::string RemoteForm::ItemText(tw::ControlId id, int index) const {
  if (index < 0 || index >= ItemCount(id)) return std::string();
  HWND h = Control(id);
  const tw::Kind kind = tw::Spec(id).kind;
  if (kind == tw::Kind::List) return JobLines().at(static_cast<size_t>(index));
  if (IsCombo(kind)) {
    // Asked for in UTF-16, the form in which texts are carried across
    // processes, and turned back into the program's code page.
    const LRESULT n = SendMessageW(h, CB_GETLBTEXTLEN, index, 0);
    if (n < 0) return std::string();
    std::wstring wide(static_cast<size_t>(n) + 2, L'\0');
    const LRESULT got = SendMessageW(h, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(std::clamp<LRESULT>(got, 0, n + 1));
    std::string text(wide.size() * 2 + 1, '\0');
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                          static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
    return text;
  }
  // The tab control's item text is only read into the program's own memory.
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  return AskInProcess(process_, h, TCM_GETITEMA, index, item);
}

std::string RemoteForm::Dump(tw::ControlId id) const {
  const tw::ControlSpec& s = tw::Spec(id);
  HWND h = Control(id);
  std::ostringstream out;
  const bool visible = h && (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0;
  out << s.name << " state=" << (h ? State(id) : 0) << " enabled=" << (h && IsWindowEnabled(h) ? 1 : 0)
      << " visible=" << (visible ? 1 : 0) << " text=\"" << Text(id) << "\"\n";
  const std::vector<std::string> lines = s.kind == tw::Kind::List ? JobLines() : std::vector<std::string>{};
  if (tw::HasItems(s.kind))
    for (int i = 0, n = ItemCount(id); i < n; ++i)
      out << "  " << i << " \"" << (lines.empty() ? ItemText(id, i) : lines.at(i)) << "\"\n";
  return out.str();
}

std::vector<std::string> RemoteForm::JobLines() const {
  const std::string all = Tell(main_, tw::kAskJobLines);
  std::vector<std::string> lines;
  for (size_t at = 0, end; at < all.size(); at = end + 1)
    lines.push_back(all.substr(at, (end = all.find('\0', at)) - at));
  return lines;
}

// In parts of about a megabyte: Wine ends a program sent a few megabytes in
// one WM_COPYDATA.
void RemoteForm::AddJobLines(const std::vector<std::string>& lines, size_t count) {
  std::string part;
  for (size_t i = 0; i < count; ++i) {
    (part += lines[i % lines.size()]) += '\0';
    if (part.size() >= (1 << 20) || i + 1 == count) Tell(main_, tw::kAddJobLines, std::exchange(part, {}));
  }
}

void RemoteForm::StopAfter(int steps) {
  Tell(main_, tw::kStopAfter, std::string(reinterpret_cast<char*>(&steps), sizeof steps));
}

// A user replaces the text by selecting it all and typing; the program sees
// one change. A numeric field refuses what is not a digit and the field's
// typing limit cuts the rest, as they do for the keyboard.
void RemoteForm::Type(tw::ControlId id, const std::string& text) {
  HWND h = Control(id);
  if (tw::Spec(id).kind == tw::Kind::EditableCombo) h = FindWindowExA(h, nullptr, "Edit", nullptr);
  std::string typed;
  const bool digitsOnly = (GetWindowLongA(h, GWL_STYLE) & ES_NUMBER) != 0;
  for (char c : text)
    if (!digitsOnly || (c >= '0' && c <= '9')) typed += c;
  const size_t limit = static_cast<size_t>(Send(h, EM_GETLIMITTEXT));
  if (limit > 0 && typed.size() > limit) typed.resize(limit);
  Send(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  // A combo box's field tells nothing of a text set so; the combo box tells
  // its page of the change as it does for every key typed.
  if (h != Control(id))
    PostMessageA(GetParent(Control(id)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Control(id)), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(Control(id)));
}

HWND RemoteForm::FocusWindow(HWND target) {
  const DWORD mine = GetCurrentThreadId();
  const DWORD theirs = GetWindowThreadProcessId(main_, nullptr);
  AttachThreadInput(mine, theirs, TRUE);
  HWND focused = GetFocus();
  if (target) SetFocus(target);
  AttachThreadInput(mine, theirs, FALSE);
  return focused;
}

void RemoteForm::Focus(tw::ControlId id) { FocusWindow(Control(id)); }

// Leaving a field means the focus goes elsewhere: to the tab strip, which
// raises nothing itself.
void RemoteForm::Leave(tw::ControlId id) {
  HWND focused = FocusWindow(nullptr);
  HWND h = Control(id);
  if (focused != h && !IsChild(h, focused)) Focus(id);
  FocusWindow(Control(tw::ControlId::MainPanel));
}

// A click toggles a check box and tells the page. The button's own click
// message is not used: it needs the mouse capture, which a control on a
// page not shown cannot take.
void RemoteForm::Click(tw::ControlId id) {
  HWND h = Control(id);
  if (tw::Spec(id).kind == tw::Kind::CheckBox)
    Send(h, BM_SETCHECK, Send(h, BM_GETCHECK) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  PostMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED), reinterpret_cast<LPARAM>(h));
}

void RemoteForm::Choose(tw::ControlId id, int n) {
  HWND h = Control(id);
  const tw::Kind kind = tw::Spec(id).kind;
  const WPARAM command = static_cast<WPARAM>(GetDlgCtrlID(h));
  if (kind == tw::Kind::List || IsCombo(kind)) {
    const bool list = kind == tw::Kind::List;
    Send(h, list ? LB_SETCURSEL : CB_SETCURSEL, n);
    PostMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(command, list ? LBN_SELCHANGE : CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
  } else if (kind == tw::Kind::TrackBar) {
    Send(h, TBM_SETPOS, TRUE, n);
    PostMessageA(GetParent(h), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, n), reinterpret_cast<LPARAM>(h));
  } else {  // the tab strip's pages are changed with the arrow keys, one page per key
    for (int now = State(id); now != n; now += n > now ? 1 : -1) {
      PostMessageA(h, WM_KEYDOWN, n > now ? VK_RIGHT : VK_LEFT, 0);
      PostMessageA(h, WM_KEYUP, n > now ? VK_RIGHT : VK_LEFT, 0xC0000000);
    }
  }
}

// The first message wakes the program's loop so that it runs the events the
// sent messages queued; the marker comes out of the queue only after them.
void RemoteForm::PostMarker() {
  marker_ = marker_ >= 1000 ? 2 : marker_ + 1;
  PostMessageA(main_, WM_NULL, 0, 0);
  PostMessageA(markerBar_, TBM_SETLINESIZE, 0, marker_);
}

bool RemoteForm::MarkerTaken() const {
  DWORD_PTR size = 0;
  if (!SendMessageTimeoutA(markerBar_, TBM_GETLINESIZE, 0, 0, SMTO_NORMAL, 200, &size)) return false;
  if (static_cast<int>(size) != marker_) return false;
  SendMessageTimeoutA(markerBar_, TBM_SETLINESIZE, 0, 1, SMTO_NORMAL, 200, &size);
  return true;
}

}  // namespace gui
