// The job list's lines, held by the program: the list box keeps only their
// count (LBS_NODATA) and asks for each line it draws, so adding, removing,
// replacing or reading a line costs the same at any length of the list.
// The horizontal scroll bar reaches as far as the widest line.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "ui/item_list.h"

namespace tw {

// What the test and benchmark tools ask of the running program, as the
// dwData of a WM_COPYDATA: the job list's lines (answered with a WM_COPYDATA
// of the same kind to the window in wParam), lines to append (each line
// followed by a NUL, both ways), and a stop of the next long work that can
// stop after N steps (an int), as if the user pressed "Stop" then.
enum ToolAsk : ULONG_PTR { kAskJobLines = 0x54570001, kAddJobLines, kStopAfter };

class Win32JobList {
 public:
  ~Win32JobList();
  // The list box's class style, and the box once it is made.
  static DWORD Style();
  void Attach(HWND list) { list_ = list; }

  int Count() const { return lines_.size(); }
  const std::string& At(int index) const { return lines_.at(index); }
  // `index` -1 (or past the end) appends; false when it lies before 0.
  void Insert(int index, std::string text);
  void Set(int index, std::string_view text);
  void Remove(int index, int count);
  void Clear();

  // The list's font changed: the line height and every line's width follow.
  void FontChanged();
  // WM_DRAWITEM: one line, as a list box of strings draws it.
  void Draw(const DRAWITEMSTRUCT& item) const;
  // WM_CHARTOITEM: the next line after `caret` that begins with `c`
  // (without regard to case), as a list box of strings finds it; -2 for none.
  int LineStartingWith(char c, int caret) const;

 private:
  int Width(std::string_view text) const;
  void Widen(int width, int count);  // `count` lines of `width` more (or fewer)

  HWND list_ = nullptr;
  ItemList lines_;
  std::map<int, int> widths_;  // how many lines have each width, in pixels
  int extent_ = 0;
  HDC measure_ = nullptr;    // holds the list's font
  bool singleByte_ = false;  // the code page has one byte a character
  std::array<int, 256> charWidths_{};
};

}  // namespace tw
