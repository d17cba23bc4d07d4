// The two code pages a Windows program's texts pass through: the ANSI page
// the window, the settings and the AviSynth wrappers use, and the console's
// OEM page, in which cmd reads a batch file. Every text here is in the ANSI
// page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class CodePages {
 public:
  virtual ~CodePages() = default;
  // `ansi` as cmd must read it. A character the OEM page lacks comes out as
  // the page's look-alike or "?", so names meant for cmd are made safe first.
  virtual std::string OemText(std::string_view ansi) = 0;
  // The first character of `ansi` that the OEM page cannot hold exactly
  // (a look-alike does not count), or nothing when it holds them all.
  virtual std::optional<std::string> FirstNotInOem(std::string_view ansi) = 0;
  // `ansi` with every character the OEM page cannot hold replaced by "_".
  virtual std::string OemSafeName(std::string_view ansi) = 0;
  // Whether `ansi` is text in the ANSI page: in a page of two bytes a
  // character, a lead byte without its second is not. A page of one byte a
  // character (and a system whose pages are one) takes every byte.
  virtual bool HoldsText(std::string_view /*ansi*/) { return true; }
};

// Text from UTF-8 settings files in the program's single-byte page: every
// well-formed UTF-8 character that Windows-1252 can show becomes its 1252
// byte; any other character and every malformed byte is kept as it is, so
// nothing the user wrote is dropped.
std::string Utf8ToCodePage(std::string_view utf8);

// The pages of a system whose ANSI and OEM pages are one and the same (a
// system set to UTF-8 for both): nothing is converted or replaced.
CodePages& OnePage();

// The pages of the platform the program was built for.
CodePages& NativePages();

}  // namespace tw
