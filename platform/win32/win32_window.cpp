#include "platform/win32/win32_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "platform/win32/win32_pages.h"

namespace tw {
namespace {

constexpr int kFirstId = 1000;

}  // namespace

ControlClass ClassOf(const ControlSpec& s) {
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
      return {"LISTBOX", Win32JobList::Style() | tab, WS_EX_CLIENTEDGE};
    case Kind::Image:
      return {"STATIC", SS_BITMAP, 0};
    case Kind::TabPanel:
      return {WC_TABCONTROLA, WS_CLIPSIBLINGS | tab, 0};
  }
  return {"STATIC", 0, 0};
}

namespace {

// Appends item `index` of the combo box `h` to `out`, read in UTF-16 (the
// form the controls keep it in) and converted to the ANSI code page: two
// messages, one conversion. Wine hands an ANSI CB_GETLBTEXT to the Unicode
// combo box of the version 6 controls through a stack buffer of 512
// characters, so a longer item read that way overwrites the stack (and the
// return address) with its own UTF-16 text.
void AppendWideItemText(HWND h, int index, std::string& out) {
  const LRESULT length = SendMessageW(h, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return;  // CB_ERR for an item that is not there
  thread_local std::wstring wide;
  wide.assign(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(h, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
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
  if (logo) logo_ = *logo;
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

  // Made at its size at 96 DPI; the layout sizes it for the display it is on.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  main_ = CreateWindowExA(0, "TarnwickMain", "tarnwick", style, 0, 0, 308, 359, nullptr, nullptr, instance, this);
  for (int i = 0; i < kControlCount; ++i) CreateControl(i);
  // Files dropped anywhere on the window, whatever page shows.
  DragAcceptFiles(main_, TRUE);
  LayOut(0, true);
  ShowPage(0);
  ready_ = true;
}

void Win32Window::Show() {
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
}

void Win32Window::CreateControl(int index) {
  const ControlSpec& s = Spec(IdAt(index));
  const ControlClass c = ClassOf(s);
  HWND parent = s.page == Page::Window ? main_ : pages_[static_cast<int>(s.page)];
  const int id = s.noIdentity ? -1 : kFirstId + index;
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  const DWORD style = WS_CHILD | WS_VISIBLE | c.style;
  // Text fields keep their text in UTF-16, so a name typed with a character
  // the ANSI page lacks can be told from its "?" (TextBeyondPage).
  HWND h = s.kind == Kind::Edit ? CreateWindowExW(c.exStyle, L"EDIT", Widened(s.text, CP_ACP).c_str(), style, s.x, s.y,
                                                  s.w, s.h, parent, menu, instance_, nullptr)
                                : CreateWindowExA(c.exStyle, c.name, s.text, style, s.x, s.y, s.w, s.h, parent, menu,
                                                  instance_, nullptr);
  controls_[index] = h;
  if (s.typingLimit > 0) SendMessageA(h, EM_LIMITTEXT, s.typingLimit, 0);
  if (s.kind == Kind::TrackBar) SendMessageA(h, TBM_SETRANGE, TRUE, MAKELPARAM(s.rangeMin, s.rangeMax));
  if (s.kind == Kind::TabPanel) MakePages(h, s);
  if (s.kind == Kind::List) list_.Attach(h);
}

void Win32Window::ShowPage(int page) {
  // The new page first: hiding the focus's page must find a page to give it to.
  if (page >= 0 && page < 5) ShowWindow(pages_[page], SW_SHOW);
  for (int i = 0; i < 5; ++i)
    if (i != page) ShowWindow(pages_[i], SW_HIDE);
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
  // The new text puts the caret at its start; whoever is typing goes on at the end.
  HWND focus = GetFocus();
  if (focus && (focus == hwnd(id) || IsChild(hwnd(id), focus))) {
    const int end = GetWindowTextLengthA(focus);
    SendMessageA(focus, EM_SETSEL, end, end);
  }
}

void Win32Window::AddItem(ControlId id, std::string text, int index) {
  switch (Spec(id).kind) {
    case Kind::DropDownList:
    case Kind::EditableCombo:
      Send(id, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
      break;
    case Kind::List:
      list_.Insert(index, std::move(text));
      break;
    case Kind::TabPanel: {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(text.c_str());
      Send(id, TCM_INSERTITEMA, index < 0 ? ItemCount(id) : index, reinterpret_cast<LPARAM>(&item));
      break;
    }
    default:
      break;
  }
  NoteItemChange(id);
}

void Win32Window::ClearItems(ControlId id) {
  const Kind kind = Spec(id).kind;
  if (kind == Kind::DropDownList || kind == Kind::EditableCombo) Send(id, CB_RESETCONTENT);
  if (kind == Kind::List) list_.Clear();
  if (kind == Kind::EditableCombo) WriteText(id, "");
  NoteItemChange(id);
}

int Win32Window::ItemCount(ControlId id) const {
  switch (Spec(id).kind) {
    case Kind::DropDownList:
    case Kind::EditableCombo:
      return static_cast<int>(Send(id, CB_GETCOUNT));
    case Kind::List:
      return list_.Count();
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
  if (kind == Kind::List) {
    text = list_.At(index);
  } else if (kind == Kind::DropDownList || kind == Kind::EditableCombo) {
    AppendWideItemText(hwnd(id), index, text);
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

// Make BAT reads a whole list this way, each line copied once.
void Win32Window::AppendItemText(ControlId id, int index, std::string& out) const {
  if (Spec(id).kind == Kind::List && index >= 0 && index < list_.Count())
    out += list_.At(index);
  else
    out += ItemText(id, index);
}

void Win32Window::SetItemText(ControlId id, int index, std::string_view text) {
  if (index < 0 || index >= ItemCount(id)) return;
  if (Spec(id).kind == Kind::List) {
    list_.Set(index, text);
    NoteItemChange(id);
    return;
  }
  const int selected = State(id);
  RemoveItem(id, index);
  AddItem(id, std::string(text), index);
  if (selected == index) SetState(id, index);
}

void Win32Window::RemoveItem(ControlId id, int index, int count) {
  const Kind kind = Spec(id).kind;
  if (index < 0 || index >= ItemCount(id) || count <= 0) return;
  count = std::min(count, ItemCount(id) - index);
  if (kind == Kind::List) list_.Remove(index, count);
  if (kind == Kind::DropDownList || kind == Kind::EditableCombo)
    for (int i = 0; i < count; ++i) Send(id, CB_DELETESTRING, index);
  NoteItemChange(id);
}

Win32Window::~Win32Window() {
  DeleteObject(tahoma_);
  DeleteObject(gui_);  // a stock font is left as it is
}

void Win32Window::HoldRedraw(ControlId id, bool hold) {
  Send(id, WM_SETREDRAW, hold ? FALSE : TRUE);
  if (!hold) InvalidateRect(hwnd(id), nullptr, TRUE);
}

}  // namespace tw
