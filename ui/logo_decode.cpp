#include <cstring>

#include "ui/logo.h"

namespace tw {
namespace {

uint32_t Le(std::string_view f, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(f[at + i]);
  return v;
}

}  // namespace

std::optional<Picture> DecodeBitmap(std::string_view f) {
  if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return std::nullopt;
  const uint32_t dataOffset = Le(f, 10, 4);
  const uint32_t headerSize = Le(f, 14, 4);
  const int32_t width = static_cast<int32_t>(Le(f, 18, 4));
  const int32_t rawHeight = static_cast<int32_t>(Le(f, 22, 4));
  const uint32_t bits = Le(f, 28, 2);
  const uint32_t compression = Le(f, 30, 4);
  uint32_t colours = Le(f, 46, 4);
  if (headerSize < 40 || bits != 8 || compression != 0 || width <= 0 || width > 4096 || rawHeight == 0 ||
      rawHeight < -4096 || rawHeight > 4096)
    return std::nullopt;
  if (colours == 0) colours = 256;
  if (colours > 256 || 14 + headerSize + 4ull * colours > dataOffset) return std::nullopt;
  const int height = rawHeight < 0 ? -rawHeight : rawHeight;
  const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
  if (dataOffset + stride * height > f.size()) return std::nullopt;

  Picture p;
  p.width = width;
  p.height = height;
  for (uint32_t i = 0; i < colours; ++i) p.palette.push_back(Le(f, 14 + headerSize + 4 * i, 4) & 0xFFFFFFu);
  p.pixels.resize(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    // Bottom-up unless the height is negative.
    const int src = rawHeight > 0 ? height - 1 - row : row;
    std::memcpy(&p.pixels[static_cast<size_t>(row) * width], f.data() + dataOffset + stride * src, width);
  }
  for (uint8_t px : p.pixels)
    if (px >= colours) return std::nullopt;
  return p;
}

}  // namespace tw
