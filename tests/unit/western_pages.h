// A Western system's two pages as far as the tests need them: the ANSI page
// 1252 and the console's page 437, for the ASCII letters and a few others.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_pages.h"

namespace tw {

class WesternPages : public CodePages {
 public:
  std::string OemText(std::string_view ansi) override {
    return Each(
        ansi, [](char, char oem) { return oem; }, '?');
  }
  std::string OemSafeName(std::string_view ansi) override {
    return Each(
        ansi, [](char c, char) { return c; }, '_');
  }
  std::optional<std::string> FirstNotInOem(std::string_view ansi) override {
    for (char c : ansi)
      if (!Oem(c)) return std::string(1, c);
    return std::nullopt;
  }

 private:
  // é ü ñ ß are in both pages at other places; € (0x80) only in 1252.
  static std::optional<char> Oem(char ansi) {
    constexpr struct { unsigned char ansi, oem; } kMoved[] = {{0xE9, 0x82}, {0xFC, 0x81}, {0xF1, 0xA4}, {0xDF, 0xE1}};
    if (static_cast<unsigned char>(ansi) < 0x80) return ansi;
    for (const auto& m : kMoved)
      if (m.ansi == static_cast<unsigned char>(ansi)) return static_cast<char>(m.oem);
    return std::nullopt;
  }
  // Each character as `kept` keeps it (given it and its OEM byte), `missing` where the OEM page lacks it.
  template <typename Kept>
  static std::string Each(std::string_view ansi, Kept kept, char missing) {
    std::string out;
    for (char c : ansi) out += Oem(c) ? kept(c, *Oem(c)) : missing;
    return out;
  }
};

}  // namespace tw
