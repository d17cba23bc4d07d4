// Conversions between the Unicode the system's dialogs speak and the code
// pages the program's texts are kept in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_pages.h"

namespace tw {

std::wstring Widened(std::string_view text, unsigned page);
// `wide` in `page`, or nothing when the page cannot hold every character of
// it exactly (a look-alike, such as "a" for "α", does not count).
std::optional<std::string> Exactly(std::wstring_view wide, unsigned page);
std::string Utf8(std::wstring_view wide);

class Win32Pages : public CodePages {
 public:
  Win32Pages(unsigned ansi, unsigned oem) : ansi_(ansi), oem_(oem) {}
  std::string OemText(std::string_view ansi) override;
  std::optional<std::string> FirstNotInOem(std::string_view ansi) override;
  std::string OemSafeName(std::string_view ansi) override;
  bool HoldsText(std::string_view ansi) override;

 private:
  bool Same() const { return ansi_ == oem_; }
  unsigned ansi_;
  unsigned oem_;
};

}  // namespace tw
