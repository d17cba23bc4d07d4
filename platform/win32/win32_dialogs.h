// Common dialogs, message boxes and the one-line input box. The file
// dialogs are the Unicode ones, so that a name the ANSI page cannot hold
// comes back as it is and is never taken for a look-alike.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace tw {

class Win32Dialogs : public Dialogs {
 public:
  // `owner` is the main window (an HWND); null gives dialogs without owner.
  explicit Win32Dialogs(void* owner = nullptr) : owner_(owner) {}
  void SetOwner(void* owner) { owner_ = owner; }

  std::string Open(const FileDialog& d) override;
  std::string Save(const FileDialog& d) override;
  std::vector<std::string> OpenMany(const FileDialog& d) override;
  std::string Folder(const std::string& title, const std::string& startFolder) override;
  bool YesNo(const std::string& title, const std::string& text) override;
  void Message(const std::string& title, const std::string& text) override;
  std::vector<std::string> TakeLeftOut() override;
  void MessageUtf8(const std::string& title, const std::string& text) override;
  std::optional<std::string> Input(const std::string& title, const std::string& text,
                                   const std::string& preset) override;

 private:
  // The chosen path in the ANSI page, or "" with its name noted as left out.
  std::string Taken(const std::wstring& chosen);
  void* owner_;
  std::vector<std::string> leftOut_;
};

// "Name|*.a|Other|*.b" as the dialogs want it: NUL-separated, double NUL at the end.
std::string NulSeparatedFilter(const std::string& filter);
// The full paths in a multi-selection buffer: a lone full path, or the folder
// followed by the names, each ended by NUL, the list by a second NUL.
template <typename Char>
std::vector<std::basic_string<Char>> SplitMultiSelection(const Char* buffer, size_t size) {
  std::vector<std::basic_string<Char>> parts;
  size_t i = 0;
  while (i < size && buffer[i] != 0) {
    size_t end = i;
    while (end < size && buffer[end] != 0) ++end;
    parts.emplace_back(buffer + i, end - i);
    i = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::basic_string<Char> folder = parts.front();
  if (folder.back() != '\\') folder += '\\';
  std::vector<std::basic_string<Char>> paths;
  for (size_t k = 1; k < parts.size(); ++k) paths.push_back(folder + parts[k]);
  return paths;
}

}  // namespace tw
