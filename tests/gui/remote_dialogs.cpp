#include "tests/gui/remote_dialogs.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/gui/remote_form.h"

namespace gui {
namespace {

// The file name field of the common file dialogs: a combo box in the
// Explorer style, an edit field in the old style.
constexpr int kNameCombo = 0x47c, kNameEdit = 0x480;

std::string ClassOf(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

struct Search {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindTop(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->processId && IsWindowVisible(h) && ClassOf(h) == s->className) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

struct Children {
  std::vector<HWND> all;
};

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
  reinterpret_cast<Children*>(lp)->all.push_back(h);
  return TRUE;
}

std::vector<HWND> ChildrenOf(HWND dialog) {
  Children c;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&c));
  return c.all;
}

HWND ChildOfClass(HWND dialog, const char* cls) {
  for (HWND h : ChildrenOf(dialog))
    if (ClassOf(h) == cls) return h;
  return nullptr;
}

// The message of a box is its longest text that is not a button's.
std::string MessageOf(HWND dialog) {
  std::string best;
  for (HWND h : ChildrenOf(dialog)) {
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

bool WaitClosed(HWND dialog, std::string& error) {
  for (int i = 0; i < 300; ++i) {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
    Sleep(20);
  }
  error = "the dialog \"" + WindowText(dialog) + "\" did not close";
  return false;
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
  std::vector<std::string> paths;
  for (size_t start = 0; start <= list.size();) {
    size_t bar = list.find('|', start);
    if (bar == std::string::npos) bar = list.size();
    paths.push_back(list.substr(start, bar - start));
    start = bar + 1;
  }
  const std::string folder = paths[0].substr(0, paths[0].find_last_of('\\') + 1);
  std::string names;
  for (const std::string& p : paths) {
    if (p.compare(0, folder.size(), folder) != 0 || p.find('\\', folder.size()) != std::string::npos) {
      error = "the files of one answer must lie in one folder";
      return false;
    }
    names += (names.empty() ? "\"" : " \"") + p.substr(folder.size()) + "\"";
  }
  ConfirmName(dialog, folder);
  Sleep(400);  // the dialog lists the folder it opened
  if (!IsWindowVisible(dialog)) {
    error = "the files dialog closed on its folder";
    return false;
  }
  ConfirmName(dialog, paths.size() == 1 ? paths[0].substr(folder.size()) : names);
  return true;
}

// The text of a tree item in the dialog's process, read through memory
// of that process.
std::string RemoteItemText(HWND tree, HANDLE process, DWORD_PTR item) {
  constexpr size_t kText = 260;
  char* remote =
      static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return "";
  TVITEMA query{};
  query.mask = TVIF_TEXT;
  query.hItem = reinterpret_cast<HTREEITEM>(item);
  query.pszText = remote + sizeof(TVITEMA);
  query.cchTextMax = kText;
  char text[kText] = {};
  DWORD_PTR ok = 0;
  if (WriteProcessMemory(process, remote, &query, sizeof query, nullptr) &&
      SendMessageTimeoutA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000, &ok) && ok)
    ReadProcessMemory(process, remote + sizeof(TVITEMA), text, kText - 1, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text;
}

// The folder dialog selects the folder it is sent; the path must lie in
// the program's memory for that. A dialog still filling its tree may select
// another item afterwards, so the folder is sent until the selected item
// is the folder's own, and stays so.
bool ChooseFolder(HWND dialog, HANDLE process, std::string path) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  const std::string leaf = path.substr(path.find_last_of('\\') + 1);
  void* remote = VirtualAllocEx(process, nullptr, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return false;
  WriteProcessMemory(process, remote, path.c_str(), path.size() + 1, nullptr);
  HWND tree = ChildOfClass(dialog, WC_TREEVIEWA);
  auto selected = [&] {
    DWORD_PTR caret = 0;
    SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_NORMAL, 10000, &caret);
    return caret && _stricmp(RemoteItemText(tree, process, caret).c_str(), leaf.c_str()) == 0;
  };
  bool held = false;
  // A loaded machine may take many seconds to fill the tree.
  for (const ULONGLONG end = GetTickCount64() + 30000; !held && GetTickCount64() < end;) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000,
                        &ignored);
    Sleep(200);
    held = selected() && (Sleep(300), selected());
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (held) Press(dialog, IDOK);
  return held;
}

}  // namespace

HWND FindTopWindow(DWORD processId, const char* className) {
  Search s{processId, className, nullptr};
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindDialog(DWORD processId) { return FindTopWindow(processId, "#32770"); }

DialogKind KindOf(HWND dialog) {
  if (ChildOfClass(dialog, WC_TREEVIEWA)) return DialogKind::Folder;
  if (NameField(dialog)) return DialogKind::File;
  if (GetDlgItem(dialog, IDYES)) return DialogKind::YesNo;
  if (ChildOfClass(dialog, "Edit")) return DialogKind::Input;
  return DialogKind::Message;
}

std::string DescribeDialog(HWND dialog) {
  switch (KindOf(dialog)) {
    case DialogKind::File:
      return "dialog title=\"" + WindowText(dialog) + "\" text=\"\"";
    case DialogKind::Folder:
      // The folder dialog shows its title as the text above the tree.
      return "dialog title=\"" + MessageOf(dialog) + "\" text=\"\"";
    default:
      return "dialog title=\"" + WindowText(dialog) + "\" text=\"" + MessageOf(dialog) + "\"";
  }
}

bool Fits(DialogKind kind, const Answer& a) {
  if (a.kind == "cancel") return kind != DialogKind::Message;
  switch (kind) {
    case DialogKind::File:
      return a.kind == "open" || a.kind == "save" || a.kind == "files";
    case DialogKind::Folder:
      return a.kind == "folder";
    case DialogKind::YesNo:
      return a.kind == "yes" || a.kind == "no";
    case DialogKind::Input:
      return a.kind == "input";
    case DialogKind::Message:
      return false;
  }
  return false;
}

bool AnswerDialog(HWND dialog, HANDLE process, const Answer& a, std::string& error) {
  Sleep(150);  // the dialog fills its lists once it is shown
  if (a.kind == "cancel") {
    Press(dialog, IDCANCEL);
  } else if (a.kind == "open" || a.kind == "save") {
    ConfirmName(dialog, a.text);
  } else if (a.kind == "files") {
    if (!ChooseFiles(dialog, a.text, error)) return false;
  } else if (a.kind == "folder") {
    if (!ChooseFolder(dialog, process, a.text)) {
      error = "cannot hand the folder to the dialog";
      return false;
    }
  } else if (a.kind == "yes" || a.kind == "no") {
    Press(dialog, a.kind == "yes" ? IDYES : IDNO);
  } else if (a.kind == "input") {
    SendMessageA(ChildOfClass(dialog, "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.text.c_str()));
    Press(dialog, IDOK);
  }
  return WaitClosed(dialog, error);
}

bool Acknowledge(HWND dialog, std::string& error) {
  Press(dialog, IDOK);
  return WaitClosed(dialog, error);
}

}  // namespace gui
