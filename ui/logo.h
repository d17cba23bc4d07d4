// The one picture of the program, stored as a Windows bitmap file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tw {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> pixels;    // palette indices, rows top to bottom
};

// The stored bitmap file: 12,366 bytes, 200 x 59, 8 bits, 128 colours.
std::string_view LogoBitmap();

// Decodes an uncompressed 8-bit bitmap file; nothing when it is not one.
std::optional<Picture> DecodeBitmap(std::string_view file);

}  // namespace tw
