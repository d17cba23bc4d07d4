// The one-line input box, built from a dialog template in memory so the
// program needs no resource script for it.
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/win32_dialogs.h"

namespace tw {
namespace {

constexpr WORD kMessageId = 100;
constexpr WORD kEditId = 101;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

struct InputState {
  const std::string* title;
  const std::string* text;
  const std::string* preset;
  std::string answer;
};

// Appends words to a template, keeping the DWORD alignment items need.
class TemplateWriter {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Align() {
    if (words_.size() % 2) Word(0);
  }
  void WideText(const wchar_t* text) {
    for (; *text; ++text) Word(static_cast<WORD>(*text));
    Word(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
    Align();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
    Word(id);
    Word(0xFFFF);
    Word(atom);
    Word(0);  // no text: set at WM_INITDIALOG in the ANSI code page
    Word(0);  // no creation data
  }
  DLGTEMPLATE* Get() {
    words_.push_back(0);
    return reinterpret_cast<DLGTEMPLATE*>(words_.data());
  }
  size_t size() const { return words_.size(); }

 private:
  std::vector<WORD> words_;
};

INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      state = reinterpret_cast<InputState*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetWindowTextA(dialog, state->title->c_str());
      SetDlgItemTextA(dialog, kMessageId, state->text->c_str());
      SetDlgItemTextA(dialog, kEditId, state->preset->c_str());
      SetDlgItemTextA(dialog, IDOK, "OK");
      SendDlgItemMessageA(dialog, kEditId, EM_SETSEL, 0, -1);
      return TRUE;  // focus goes to the first tab stop, the edit
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        HWND edit = GetDlgItem(dialog, kEditId);
        std::vector<char> buffer(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1);
        GetWindowTextA(edit, buffer.data(), static_cast<int>(buffer.size()));
        state->answer = buffer.data();
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {  // Esc and the close box
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<std::string> Win32Dialogs::Input(const std::string& title, const std::string& text,
                                               const std::string& preset) {
  TemplateWriter t;
  t.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT);
  t.Dword(0);
  t.Word(3);  // message, edit, button
  for (short v : {0, 0, 240, 72}) t.Word(static_cast<WORD>(v));
  t.Word(0);  // no menu
  t.Word(0);  // the standard dialog class
  t.Word(0);  // title set at WM_INITDIALOG
  t.Word(8);
  t.WideText(L"MS Shell Dlg");
  t.Item(SS_LEFT, 7, 7, 226, 20, kMessageId, kStaticClass);
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 30, 226, 14, kEditId, kEditClass);
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 95, 51, 50, 14, IDOK, kButtonClass);
  InputState state{&title, &text, &preset, {}};
  const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), static_cast<HWND>(owner_),
                                                 InputProc, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return state.answer;
}

}  // namespace tw
