#include "rle_decoder.h"

#include <algorithm>

#include "platform/bitmap_info.h"

void ExpandRlePixels(const std::uint8_t* data, std::size_t size, std::uint32_t compression,
                     int width, int height, std::uint8_t* indices) {
  if (compression != BI_RLE8 && compression != BI_RLE4) return;
  if (!data || !indices || width <= 0 || height <= 0) return;
  const bool fourBits = compression == BI_RLE4;
  const auto stride = static_cast<std::size_t>(width);
  std::size_t pos = 0;
  int x = 0;
  int y = 0;
  // Pixels beyond the row's end are dropped; x never goes past the end, so it cannot overflow.
  const auto put = [&](int count, auto pixelAt) {
    const int kept = std::min(count, width - x);
    std::uint8_t* out = indices + static_cast<std::size_t>(y) * stride + x;
    for (int i = 0; i < kept; ++i) out[i] = pixelAt(i);
    x += kept;
  };
  while (y < height && size - pos >= 2) {
    const int count = data[pos];
    const std::uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {  // a run of one index (two alternating ones for 4 bits)
      put(count, [&](int i) -> std::uint8_t {
        return fourBits ? ((i & 1) ? value & 0x0F : value >> 4) : value;
      });
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of bitmap
        return;
      case 2:  // delta: move right and up
        if (size - pos < 2) return;
        x = std::min(width, x + data[pos]);
        y += data[pos + 1];
        pos += 2;
        break;
      default: {  // `value` indices as they stand, padded to a whole word
        const std::size_t bytes = fourBits ? (value + 1u) / 2 : value;
        if (size - pos < bytes) return;
        const std::uint8_t* literal = data + pos;
        put(value, [&](int i) -> std::uint8_t {
          return fourBits ? ((i & 1) ? literal[i / 2] & 0x0F : literal[i / 2] >> 4) : literal[i];
        });
        pos += std::min(size - pos, bytes + (bytes & 1));
        break;
      }
    }
  }
}
