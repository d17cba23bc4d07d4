#include "platform/win32/win32_list_data.h"

namespace tw {
namespace {

// Room beside the widest line, so its last letter is not at the edge.
constexpr int kExtentMargin = 6;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

DWORD Win32JobList::Style() {
  return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT | WS_VSCROLL |
         WS_HSCROLL;
}

Win32JobList::~Win32JobList() {
  if (measure_) DeleteDC(measure_);
}

void Win32JobList::Insert(int index, std::string text) {
  if (index < 0 || index > Count()) index = Count();
  const int width = Width(text);
  lines_.insert(index, std::move(text));
  SendMessageA(list_, LB_INSERTSTRING, index, 0);
  Widen(width, 1);
}

void Win32JobList::Set(int index, std::string_view text) {
  Widen(Width(lines_.at(index)), -1);
  lines_.set(index, text);
  Widen(Width(text), 1);
  RECT r;
  if (SendMessageA(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    InvalidateRect(list_, &r, TRUE);
}

void Win32JobList::Remove(int index, int count) {
  for (int i = index; i < index + count; ++i) Widen(Width(lines_.at(i)), -1);
  lines_.erase(index, count);
  for (int i = index + count; i-- > index;) SendMessageA(list_, LB_DELETESTRING, i, 0);
}

void Win32JobList::Clear() {
  lines_.clear();
  widths_.clear();
  SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  Widen(0, 0);
}

void Win32JobList::Widen(int width, int count) {
  if (count != 0 && (widths_[width] += count) <= 0) widths_.erase(width);
  const int widest = widths_.empty() ? 0 : widths_.rbegin()->first;
  if (widest == extent_) return;
  extent_ = widest;
  SendMessageA(list_, LB_SETHORIZONTALEXTENT, widest > 0 ? widest + kExtentMargin : 0, 0);
}

// A batch import adds tens of thousands of lines; asking the font for each
// line's width would cost more than adding them. In a code page of one byte
// a character, the widths of its 256 characters, read once, add up to the
// same width.
void Win32JobList::FontChanged() {
  if (!measure_) measure_ = CreateCompatibleDC(nullptr);
  if (!measure_) return;
  SelectObject(measure_, reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(measure_, &metrics);
  // as high as a list box of strings makes its lines in this font
  SendMessageA(list_, LB_SETITEMHEIGHT, 0, metrics.tmHeight);
  CPINFO code{};
  singleByte_ =
      GetCPInfo(CP_ACP, &code) && code.MaxCharSize == 1 && GetCharWidth32A(measure_, 0, 255, charWidths_.data());
  widths_.clear();
  for (int i = 0; i < Count(); ++i) ++widths_[Width(lines_.at(i))];
  extent_ = -1;
  Widen(0, 0);
}

int Win32JobList::Width(std::string_view text) const {
  if (singleByte_) {
    int width = 0;
    for (unsigned char c : text) width += charWidths_[c];
    return width;
  }
  SIZE size{};
  if (measure_) GetTextExtentPoint32A(measure_, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

void Win32JobList::Draw(const DRAWITEMSTRUCT& d) const {
  const bool line = d.itemID < static_cast<UINT>(Count());
  if (line) {
    const bool selected = d.itemState & ODS_SELECTED;
    HGDIOBJ font = SelectObject(d.hDC, reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
    SetBkColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(d.hDC, GetSysColor(selected                 ? COLOR_HIGHLIGHTTEXT
                                    : IsWindowEnabled(list_) ? COLOR_WINDOWTEXT
                                                             : COLOR_GRAYTEXT));
    const std::string& text = lines_.at(static_cast<int>(d.itemID));
    ExtTextOutA(d.hDC, d.rcItem.left + 1, d.rcItem.top, ETO_OPAQUE | ETO_CLIPPED, &d.rcItem, text.data(),
                static_cast<UINT>(text.size()), nullptr);
    SelectObject(d.hDC, font);
  }
  // An empty list with the focus shows it on its first place.
  if (d.itemState & ODS_FOCUS || (!line && d.itemAction & ODA_FOCUS)) DrawFocusRect(d.hDC, &d.rcItem);
}

int Win32JobList::LineStartingWith(char c, int caret) const {
  const int n = Count();
  for (int k = 1; k <= n; ++k) {
    const std::string& text = lines_.at(((caret + k) % n + n) % n);
    if (!text.empty() && Lower(text[0]) == Lower(c)) return ((caret + k) % n + n) % n;
  }
  return -2;
}

}  // namespace tw
