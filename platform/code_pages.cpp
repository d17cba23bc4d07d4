#include "platform/code_pages.h"

#include <cstdint>

namespace tw {
namespace {

// The characters Windows-1252 puts at bytes 0x80..0x9F; 0 where it has none.
constexpr uint16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> CodePageByte(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length and character of the well-formed sequence at `s`, or 0.
size_t DecodeOne(std::string_view s, uint32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  size_t n = 0;
  uint32_t minimum = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    n = 2, cp = b0 & 0x1F, minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3, cp = b0 & 0x0F, minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4, cp = b0 & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  for (size_t i = 1; i < n; ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (!IsContinuation(b)) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

class SamePages : public CodePages {
 public:
  std::string OemText(std::string_view ansi) override { return std::string(ansi); }
  std::optional<std::string> FirstNotInOem(std::string_view) override { return std::nullopt; }
  std::string OemSafeName(std::string_view ansi) override { return std::string(ansi); }
};

}  // namespace

std::string Utf8ToCodePage(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    uint32_t cp = 0;
    const size_t n = DecodeOne(utf8, cp);
    if (n == 0) {
      out += utf8[0];
      utf8.remove_prefix(1);
      continue;
    }
    const std::optional<char> byte = CodePageByte(cp);
    if (byte) {
      out += *byte;
    } else {
      out.append(utf8.substr(0, n));
    }
    utf8.remove_prefix(n);
  }
  return out;
}

CodePages& OnePage() {
  static SamePages pages;
  return pages;
}

}  // namespace tw
