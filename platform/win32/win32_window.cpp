#include "platform/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tw {
namespace {

constexpr int kFirstId = 1000;
constexpr int kClientWidth = 308, kClientHeight = 359;

struct Class {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

Class ClassOf(const ControlSpec& s) {
  const DWORD tab = WS_TABSTOP;
  switch (s.kind) {
    case Kind::PushButton:
      return {"BUTTON", BS_PUSHBUTTON | tab, 0};
    case Kind::CheckBox:
      return {"BUTTON", BS_AUTOCHECKBOX | tab, 0};
    case Kind::Edit:
      return {"EDIT", ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE};
    case Kind::NumericEdit:
      return {"EDIT", ES_AUTOHSCROLL | ES_NUMBER | tab, WS_EX_CLIENTEDGE};
    case Kind::Label:
      return {"STATIC", SS_LEFT, 0};
    case Kind::Frame:
      return {"BUTTON", BS_GROUPBOX, 0};
    case Kind::DropDownList:
      return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | tab, 0};
    case Kind::EditableCombo:
      return {"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | tab, 0};
    case Kind::TrackBar:
      return {TRACKBAR_CLASSA, TBS_HORZ | TBS_NOTICKS | tab, 0};
    case Kind::List:
      return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | tab, WS_EX_CLIENTEDGE};
    case Kind::Image:
      return {"STATIC", SS_BITMAP, 0};
    case Kind::TabPanel:
      return {WC_TABCONTROLA, WS_CLIPSIBLINGS | tab, 0};
  }
  return {"STATIC", 0, 0};
}

HBITMAP MakeBitmap(const Picture& p) {
  std::vector<char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biWidth = p.width;
  bi->bmiHeader.biHeight = -p.height;  // rows top to bottom
  bi->bmiHeader.biPlanes = 1;
  bi->bmiHeader.biBitCount = 8;
  bi->bmiHeader.biClrUsed = static_cast<DWORD>(p.palette.size());
  for (size_t i = 0; i < p.palette.size(); ++i) {
    bi->bmiColors[i].rgbRed = (p.palette[i] >> 16) & 0xFF;
    bi->bmiColors[i].rgbGreen = (p.palette[i] >> 8) & 0xFF;
    bi->bmiColors[i].rgbBlue = p.palette[i] & 0xFF;
  }
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) return bmp;
  const int stride = (p.width + 3) & ~3;
  for (int y = 0; y < p.height; ++y)
    memcpy(static_cast<char*>(bits) + y * stride, &p.pixels[static_cast<size_t>(y) * p.width], p.width);
  return bmp;
}

// Appends item `index` of the list or combo `h` to `out`, read in UTF-16
// (the form the controls keep it in) and converted to the ANSI code page:
// two messages, one conversion. Wine hands an ANSI LB_GETTEXT or
// CB_GETLBTEXT to the Unicode list of the version 6 controls through a stack
// buffer of 512 characters, so a longer job line read that way overwrites
// the stack (and the return address) with its own UTF-16 text.
void AppendWideItemText(HWND h, bool list, int index, std::string& out) {
  const LRESULT length = SendMessageW(h, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return;  // LB_ERR / CB_ERR for an item that is not there
  thread_local std::wstring wide;
  wide.assign(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(h, list ? LB_GETTEXT : CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
  if (got <= 0) return;
  const int size = static_cast<int>(std::min(static_cast<size_t>(got), static_cast<size_t>(length)));
  // an ANSI code page takes at most two bytes for a character
  const size_t old = out.size();
  out.resize(old + 2 * static_cast<size_t>(size));
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, out.data() + old, 2 * size, nullptr, nullptr);
  out.resize(old + static_cast<size_t>(bytes > 0 ? bytes : 0));
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance, const Picture* logo) : instance_(instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "TarnwickMain";
  RegisterClassA(&wc);
  wc.lpfnWndProc = PageProc;
  wc.lpszClassName = "TarnwickPage";
  RegisterClassA(&wc);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&r, style, FALSE);
  main_ = CreateWindowExA(0, "TarnwickMain", "tarnwick", style, 0, 0, r.right - r.left, r.bottom - r.top, nullptr,
                          nullptr, instance, this);
  for (int i = 0; i < kControlCount; ++i) CreateControl(i, logo);

  // One Tahoma 8 for every control but those that keep the default GUI font.
  HDC dc = GetDC(main_);
  const int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(main_, dc);
  HFONT tahoma = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
  HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
  // no repaint per control: nothing is shown before the form is ready
  for (int i = 0; i < kControlCount; ++i)
    SendMessageA(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(Spec(IdAt(i)).defaultFont ? gui : tahoma), FALSE);
  ShowPage(0);
  ready_ = true;
}

void Win32Window::Show() {
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
}

void Win32Window::CreateControl(int index, const Picture* logo) {
  const ControlSpec& s = Spec(IdAt(index));
  const Class c = ClassOf(s);
  HWND parent = s.page == Page::Window ? main_ : pages_[static_cast<int>(s.page)];
  const int id = s.noIdentity ? -1 : kFirstId + index;
  HWND h = CreateWindowExA(c.exStyle, c.name, s.text, WS_CHILD | WS_VISIBLE | c.style, s.x, s.y, s.w, s.h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  controls_[index] = h;
  if (s.typingLimit > 0) SendMessageA(h, EM_LIMITTEXT, s.typingLimit, 0);
  if (s.kind == Kind::TrackBar) SendMessageA(h, TBM_SETRANGE, TRUE, MAKELPARAM(s.rangeMin, s.rangeMax));
  if (s.kind == Kind::Image && logo)
    SendMessageA(h, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(MakeBitmap(*logo)));
  if (s.kind == Kind::TabPanel) {
    for (int k = 0; k < FixedItemCount(s); ++k) AddItem(IdAt(index), s.items[k]);
    RECT area{s.x, s.y, s.x + s.w, s.y + s.h};
    SendMessageA(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND& page : pages_) {
      page = CreateWindowExA(WS_EX_CONTROLPARENT, "TarnwickPage", "", WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                             area.right - area.left, area.bottom - area.top, main_, nullptr, instance_, this);
      SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
  }
}

void Win32Window::ShowPage(int page) {
  for (int i = 0; i < 5; ++i) ShowWindow(pages_[i], i == page ? SW_SHOW : SW_HIDE);
}

int Win32Window::State(ControlId id) const {
  switch (Spec(id).kind) {
    case Kind::CheckBox:
      return Send(id, BM_GETCHECK) == BST_CHECKED ? 1 : 0;
    case Kind::DropDownList:
    case Kind::EditableCombo:
      return static_cast<int>(Send(id, CB_GETCURSEL));
    case Kind::TrackBar:
      return static_cast<int>(Send(id, TBM_GETPOS));
    case Kind::List:
      return static_cast<int>(Send(id, LB_GETCURSEL));
    case Kind::TabPanel:
      return static_cast<int>(Send(id, TCM_GETCURSEL));
    default:
      return 0;
  }
}

void Win32Window::SetState(ControlId id, int state) {
  switch (Spec(id).kind) {
    case Kind::CheckBox:
      Send(id, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED);
      break;
    case Kind::DropDownList:
    case Kind::EditableCombo:
      Send(id, CB_SETCURSEL, state);
      break;
    case Kind::TrackBar:
      Send(id, TBM_SETPOS, TRUE, state);
      break;
    case Kind::List:
      Send(id, LB_SETCURSEL, state);
      break;
    case Kind::TabPanel:
      Send(id, TCM_SETCURSEL, state);
      ShowPage(static_cast<int>(Send(id, TCM_GETCURSEL)));
      break;
    default:
      break;
  }
}

std::string Win32Window::Text(ControlId id) const {
  const Kind kind = Spec(id).kind;
  if (kind == Kind::DropDownList || kind == Kind::List) return ItemText(id, State(id));
  if (!HasText(kind)) return std::string();
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd(id))) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd(id), text.data(), static_cast<int>(text.size()))));
  return text;
}

void Win32Window::WriteText(ControlId id, std::string_view text) {
  const Kind kind = Spec(id).kind;
  if (kind == Kind::DropDownList || kind == Kind::List || !HasText(kind)) return;
  // The change notification this raises is the Form's queued event.
  writing_ = true;
  SetWindowTextA(hwnd(id), std::string(text).c_str());
  writing_ = false;
}

void Win32Window::AddItem(ControlId id, std::string_view text, int index) {
  const std::string t(text);
  switch (Spec(id).kind) {
    case Kind::DropDownList:
    case Kind::EditableCombo:
      Send(id, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(t.c_str()));
      break;
    case Kind::List:
      Send(id, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(t.c_str()));
      break;
    case Kind::TabPanel: {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(t.c_str());
      Send(id, TCM_INSERTITEMA, index < 0 ? ItemCount(id) : index, reinterpret_cast<LPARAM>(&item));
      break;
    }
    default:
      break;
  }
}

void Win32Window::ClearItems(ControlId id) {
  const Kind kind = Spec(id).kind;
  if (kind == Kind::DropDownList || kind == Kind::EditableCombo) Send(id, CB_RESETCONTENT);
  if (kind == Kind::List) Send(id, LB_RESETCONTENT);
  if (kind == Kind::EditableCombo) WriteText(id, "");
}

int Win32Window::ItemCount(ControlId id) const {
  switch (Spec(id).kind) {
    case Kind::DropDownList:
    case Kind::EditableCombo:
      return static_cast<int>(Send(id, CB_GETCOUNT));
    case Kind::List:
      return static_cast<int>(Send(id, LB_GETCOUNT));
    case Kind::TabPanel:
      return static_cast<int>(Send(id, TCM_GETITEMCOUNT));
    default:
      return 0;
  }
}

std::string Win32Window::ItemText(ControlId id, int index) const {
  if (index < 0 || index >= ItemCount(id)) return std::string();
  const Kind kind = Spec(id).kind;
  std::string text;
  if (kind == Kind::List || kind == Kind::DropDownList || kind == Kind::EditableCombo) {
    AppendWideItemText(hwnd(id), kind == Kind::List, index, text);
  } else if (kind == Kind::TabPanel) {
    char buf[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    Send(id, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    text = buf;
  }
  return text;
}

// Two messages a line, the text converted straight into `out`: Make BAT
// reads a whole list this way.
void Win32Window::AppendItemText(ControlId id, int index, std::string& out) const {
  const Kind kind = Spec(id).kind;
  if (kind != Kind::List && kind != Kind::DropDownList && kind != Kind::EditableCombo) {
    out += ItemText(id, index);
    return;
  }
  AppendWideItemText(hwnd(id), kind == Kind::List, index, out);
}

void Win32Window::SetItemText(ControlId id, int index, std::string_view text) {
  if (index < 0 || index >= ItemCount(id)) return;
  const int selected = State(id);
  RemoveItem(id, index);
  AddItem(id, text, index);
  if (selected == index) SetState(id, index);
}

void Win32Window::RemoveItem(ControlId id, int index) {
  const Kind kind = Spec(id).kind;
  if (kind == Kind::List) Send(id, LB_DELETESTRING, index);
  if (kind == Kind::DropDownList || kind == Kind::EditableCombo) Send(id, CB_DELETESTRING, index);
}

void Win32Window::HoldRedraw(ControlId id, bool hold) {
  Send(id, WM_SETREDRAW, hold ? FALSE : TRUE);
  if (!hold) InvalidateRect(hwnd(id), nullptr, TRUE);
}

Event Win32Window::WaitEvent() {
  while (events_.empty()) {
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return Event{};
    if (IsDialogMessageA(main_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Event e = events_.front();
  events_.pop_front();
  return e;
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
    case WM_CLOSE:
      events_.push_back(Event{});  // closed after the exit sequence
      return 0;
    default:
      return DefWindowProcA(main_, msg, wp, lp);
  }
}

}  // namespace tw
