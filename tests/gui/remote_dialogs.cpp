#include "tests/gui/remote_dialogs.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "tests/gui/remote_form.h"

namespace gui {
namespace {

enum class DialogKind { File, Folder, YesNo, Input, Message };

// The file name field of the common file dialogs: a combo box in the
// Explorer style, an edit field in the old style.
constexpr int kNameCombo = 0x47c, kNameEdit = 0x480;

HWND ChildOfClass(HWND dialog, const char* cls) {
  for (HWND h : WindowsOf(dialog))
    if (ClassOf(h) == cls) return h;
  return nullptr;
}

// The message of a box is its longest text that is not a button's.
std::string MessageOf(HWND dialog) {
  std::string best;
  for (HWND h : WindowsOf(dialog)) {
    if (ClassOf(h) != "Static" || (GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    std::string t = WindowText(h);
    if (t.size() > best.size()) best = t;
  }
  return best;
}

HWND NameField(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, kNameCombo)) return combo;
  return GetDlgItem(dialog, kNameEdit);
}

void Press(HWND dialog, int button) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

// Types a name into the file name field and confirms it with the dialog's
// default button, as Enter would.
void ConfirmName(HWND dialog, const std::string& name) {
  SendMessageA(NameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  Press(dialog, IDOK);
}

// Several files are chosen from their folder: open it first, then name
// them all in one field, each in double quotes.
bool ChooseFiles(HWND dialog, const std::string& list, std::string& error) {
  const std::string folder = tw::FolderPart(list.substr(0, list.find('|')));
  std::string names;
  for (size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 1) {
    bar = list.find('|', start);
    const std::string path = list.substr(start, bar == std::string::npos ? bar : bar - start);
    if (tw::FolderPart(path) != folder) {
      error = "the files of one answer must lie in one folder";
      return false;
    }
    names += (names.empty() ? "\"" : " \"") + tw::FileNamePart(path) + "\"";
  }
  ConfirmName(dialog, folder);
  Sleep(400);  // the dialog lists the folder it opened
  if (!IsWindowVisible(dialog)) {
    error = "the files dialog closed on its folder";
    return false;
  }
  // One name alone is typed without its quotes.
  ConfirmName(dialog, list.find('|') == std::string::npos ? tw::FileNamePart(list) : names);
  return true;
}

// The folder dialog selects the folder it is sent; the path must lie in
// the program's memory for that. A dialog still filling its tree may select
// another item afterwards, so the folder is sent until the selected item
// is the folder's own, and stays so.
bool ChooseFolder(HWND dialog, HANDLE process, std::string path, std::string& error) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  const std::string leaf = path.substr(path.find_last_of('\\') + 1);
  void* remote = VirtualAllocEx(process, nullptr, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return false;
  WriteProcessMemory(process, remote, path.c_str(), path.size() + 1, nullptr);
  HWND tree = ChildOfClass(dialog, WC_TREEVIEWA);
  std::string seen;  // the tree's selected folder
  auto selected = [&] {
    DWORD_PTR caret = 0;
    SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_NORMAL, 10000, &caret);
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(caret);
    seen = caret ? AskInProcess(process, tree, TVM_GETITEMA, 0, item) : "nothing";
    return caret && tw::SameNoCase(seen, leaf);
  };
  // A loaded machine may take many seconds to fill the tree; each sending
  // starts the walk down the tree again, so it is given time to settle first.
  const bool held = WaitFor(60000, [&] {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000,
                        &ignored);
    return WaitFor(3000, [&] { return selected() && (Sleep(300), selected()); });
  });
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (held) Press(dialog, IDOK);
  if (!held) error = "cannot hand the folder to the dialog: it holds " + seen + ", not " + leaf;
  return held;
}

DialogKind KindOf(HWND dialog) {
  if (ChildOfClass(dialog, WC_TREEVIEWA)) return DialogKind::Folder;
  if (NameField(dialog)) return DialogKind::File;
  if (GetDlgItem(dialog, IDYES)) return DialogKind::YesNo;
  if (ChildOfClass(dialog, "Edit")) return DialogKind::Input;
  return DialogKind::Message;
}

bool Fits(DialogKind kind, const Answer& a) {
  // By DialogKind; cancel fits every dialog but a message box.
  static const char* const kFitting[] = {" open save files cancel ", " folder cancel ", " yes no cancel ",
                                         " input cancel ", ""};
  return std::string(kFitting[static_cast<int>(kind)]).find(" " + a.kind + " ") != std::string::npos;
}

}  // namespace

HWND FindTopWindow(DWORD processId, const char* className) {
  for (HWND h : WindowsOf(nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == processId && IsWindowVisible(h) && ClassOf(h) == className) return h;
  }
  return nullptr;
}

HWND FindDialog(DWORD processId) { return FindTopWindow(processId, "#32770"); }

std::string DescribeDialog(HWND dialog) {
  const DialogKind kind = KindOf(dialog);
  // The folder dialog shows its title as the text above the tree.
  const std::string title = kind == DialogKind::Folder ? MessageOf(dialog) : WindowText(dialog);
  const bool chooser = kind == DialogKind::File || kind == DialogKind::Folder;
  return "dialog title=\"" + title + "\" text=\"" + (chooser ? "" : MessageOf(dialog)) + "\"";
}

bool WaitClosed(HWND dialog, std::string& error) {
  if (WaitFor(6000, [dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) return true;
  error = "the dialog \"" + WindowText(dialog) + "\" did not close";
  return false;
}

bool AnswerDialog(HWND dialog, HANDLE process, std::deque<Answer>& answers, std::string& error) {
  const DialogKind kind = KindOf(dialog);
  Answer a{"ok", ""};
  if (kind != DialogKind::Message) {
    if (answers.empty())
      error = "no answer queued for the dialog \"" + DescribeDialog(dialog) + "\"";
    else if (!Fits(kind, answers.front()))
      error = "answer " + answers.front().kind + " does not fit the dialog";
    if (!error.empty()) return false;
    a = answers.front();
    answers.pop_front();
  }
  Sleep(150);  // the dialog fills its lists once it is shown
  if (a.kind == "cancel") {
    Press(dialog, IDCANCEL);
  } else if (a.kind == "open" || a.kind == "save") {
    ConfirmName(dialog, a.text);
  } else if (a.kind == "files") {
    if (!ChooseFiles(dialog, a.text, error)) return false;
  } else if (a.kind == "folder") {
    if (!ChooseFolder(dialog, process, a.text, error)) return false;
  } else if (a.kind == "yes" || a.kind == "no") {
    Press(dialog, a.kind == "yes" ? IDYES : IDNO);
  } else {  // input, or the message box's ok
    if (a.kind == "input")
      SendMessageA(ChildOfClass(dialog, "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.text.c_str()));
    Press(dialog, IDOK);
  }
  return WaitClosed(dialog, error);
}

}  // namespace gui
