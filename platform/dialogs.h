// Common dialogs and message boxes. Every dialog is modal: the running
// action waits inside the call until the user answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tw {

struct FileDialog {
  std::string title;
  std::string filter;  // display|pattern pairs separated by "|"
  std::string preset;  // preset file name
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen full path, or the empty text when cancelled.
  virtual std::string Open(const FileDialog& d) = 0;
  virtual std::string Save(const FileDialog& d) = 0;
  // The chosen full paths in the dialog's order; empty when cancelled.
  virtual std::vector<std::string> OpenMany(const FileDialog& d) = 0;
  // The chosen folder ending in a separator, or the empty text.
  virtual std::string Folder(const std::string& title, const std::string& startFolder) = 0;
  virtual bool YesNo(const std::string& title, const std::string& text) = 0;
  virtual void Message(const std::string& title, const std::string& text) = 0;
  // The files chosen in the file and folder dialogs since the last call
  // that could not be handed over: their names hold a character the ANSI
  // page cannot hold exactly and they have no short path. They were left out
  // of what the dialogs returned; their names here are in UTF-8.
  virtual std::vector<std::string> TakeLeftOut() = 0;
  // Message() for a text in UTF-8, which can name such files.
  virtual void MessageUtf8(const std::string& title, const std::string& text) = 0;
  // One-line text input with an OK button; nothing when left with Esc or
  // the close box.
  virtual std::optional<std::string> Input(const std::string& title, const std::string& text,
                                           const std::string& preset) = 0;
};

}  // namespace tw
