#include "gif_writer.h"

namespace {

void PutLe16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
}

}  // namespace

int GifMinCodeSize(int colors) {
  int bits = 2;
  while (bits < 8 && (1 << bits) < colors) ++bits;
  return bits;
}

std::size_t GifFileSize(int tableBits, std::size_t codeBytes) {
  // Header and screen, table, image descriptor, code size, blocks with their counts, block end,
  // trailer.
  return 13 + 3 * (std::size_t{1} << tableBits) + 10 + 1 + codeBytes + (codeBytes + 254) / 255 + 1 +
         1;
}

std::vector<std::uint8_t> GifFileBytes(int width, int height, int tableBits,
                                       const std::vector<Rgb8>& palette, int minCodeSize,
                                       const std::vector<std::uint8_t>& codes) {
  if (width < 1 || height < 1 || width > kMaxGifDimension || height > kMaxGifDimension ||
      tableBits < 1 || tableBits > 8 || minCodeSize < 2 || minCodeSize > 8)
    return {};
  std::vector<std::uint8_t> out;
  out.reserve(GifFileSize(tableBits, codes.size()));
  for (const char c : {'G', 'I', 'F', '8', '9', 'a'}) out.push_back(static_cast<std::uint8_t>(c));
  PutLe16(out, width);
  PutLe16(out, height);
  // Global table, colour resolution and table size both tableBits.
  out.push_back(static_cast<std::uint8_t>(0x80 | (tableBits - 1) << 4 | (tableBits - 1)));
  out.push_back(0);  // background index
  out.push_back(0);  // no aspect ratio
  const int entries = 1 << tableBits;
  for (int i = 0; i < entries; ++i) {
    const Rgb8 c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb8{};
    out.insert(out.end(), {c.r, c.g, c.b});
  }
  out.push_back(0x2C);
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, width);
  PutLe16(out, height);
  out.push_back(0);  // no local table, not interlaced
  out.push_back(static_cast<std::uint8_t>(minCodeSize));
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), codes.begin() + static_cast<std::ptrdiff_t>(at),
               codes.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}
