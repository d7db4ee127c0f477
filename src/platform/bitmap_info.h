#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// The 40-byte header of a device-independent bitmap, field by field, and its little-endian
// byte form.
struct BitmapInfoHeader {
  std::uint32_t size = 40;
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: rows stored bottom-up
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;

  static constexpr std::size_t kBytes = 40;
};

// Compression codes.
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

// Bytes of one pixel row: padded to a multiple of four.
constexpr std::int64_t DibRowStride(std::int64_t width, int bitCount) {
  return ((width * bitCount + 31) / 32) * 4;
}

inline std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void WriteLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Reads the header from 40 bytes.
inline BitmapInfoHeader ReadBitmapInfoHeader(const std::uint8_t* p) {
  BitmapInfoHeader h;
  h.size = ReadLe32(p);
  h.width = static_cast<std::int32_t>(ReadLe32(p + 4));
  h.height = static_cast<std::int32_t>(ReadLe32(p + 8));
  h.planes = ReadLe16(p + 12);
  h.bitCount = ReadLe16(p + 14);
  h.compression = ReadLe32(p + 16);
  h.sizeImage = ReadLe32(p + 20);
  h.xPelsPerMeter = static_cast<std::int32_t>(ReadLe32(p + 24));
  h.yPelsPerMeter = static_cast<std::int32_t>(ReadLe32(p + 28));
  h.clrUsed = ReadLe32(p + 32);
  h.clrImportant = ReadLe32(p + 36);
  return h;
}

// Writes the header as 40 bytes.
inline void WriteBitmapInfoHeader(std::uint8_t* p, const BitmapInfoHeader& h) {
  WriteLe32(p, h.size);
  WriteLe32(p + 4, static_cast<std::uint32_t>(h.width));
  WriteLe32(p + 8, static_cast<std::uint32_t>(h.height));
  WriteLe16(p + 12, h.planes);
  WriteLe16(p + 14, h.bitCount);
  WriteLe32(p + 16, h.compression);
  WriteLe32(p + 20, h.sizeImage);
  WriteLe32(p + 24, static_cast<std::uint32_t>(h.xPelsPerMeter));
  WriteLe32(p + 28, static_cast<std::uint32_t>(h.yPelsPerMeter));
  WriteLe32(p + 32, h.clrUsed);
  WriteLe32(p + 36, h.clrImportant);
}
