// Common dialogs, message boxes and the one-line input box over the ANSI API.
#pragma once

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
  std::optional<std::string> Input(const std::string& title, const std::string& text,
                                   const std::string& preset) override;

 private:
  void* owner_;
};

// "Name|*.a|Other|*.b" as the dialogs want it: NUL-separated, double NUL at the end.
std::string NulSeparatedFilter(const std::string& filter);
// The full paths in a multi-selection buffer: a lone full path, or the folder
// followed by the names, each ended by NUL, the list by a second NUL.
std::vector<std::string> SplitMultiSelection(const char* buffer, size_t size);

}  // namespace tw
