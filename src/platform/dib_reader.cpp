#include "dib_reader.h"

#include <bit>

namespace {

// Pixel areas larger than this are treated as damaged headers.
constexpr std::int64_t kMaxDimension = 1 << 16;

std::uint8_t Scale(std::uint32_t value, int width) {
  if (width <= 0) return 0;
  if (width >= 8) return static_cast<std::uint8_t>(value >> (width - 8));
  // Repeat the bits so that a full field gives 255.
  std::uint32_t scaled = 0;
  for (int filled = 0; filled < 8; filled += width) scaled = (scaled << width) | value;
  const int total = ((8 + width - 1) / width) * width;
  return static_cast<std::uint8_t>(scaled >> (total - 8));
}

}  // namespace

std::optional<DibReader> DibReader::Make(const DibBits& dib, int colorUse, const Palette& palette,
                                         int rows) {
  const BitmapInfoHeader& h = dib.header;
  const int bits = h.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return {};
  if (h.compression != BI_RGB && !(h.compression == BI_BITFIELDS && (bits == 16 || bits == 32)))
    return {};
  if (h.width <= 0 || h.width > kMaxDimension || rows < 0 || rows > kMaxDimension) return {};
  if (!dib.bits) return {};

  DibReader reader;
  reader.bits_ = dib.bits;
  reader.width_ = h.width;
  reader.rows_ = rows;
  reader.bitCount_ = bits;
  reader.stride_ = static_cast<std::size_t>(DibRowStride(h.width, bits));
  if (reader.stride_ * static_cast<std::size_t>(rows) > dib.bitsBytes) return {};

  if (bits <= 8) {
    const std::size_t count =
        h.clrUsed != 0 ? std::min<std::size_t>(h.clrUsed, 256) : std::size_t{1} << bits;
    for (std::size_t i = 0; i < count; ++i) {
      if (colorUse == DIB_PAL_COLORS) {
        if (2 * i + 2 > dib.colorTableBytes) break;
        const int index = ReadLe16(dib.colorTable + 2 * i);
        if (index < palette.Size()) {
          const PaletteEntry& e = palette.Entries()[index];
          reader.colors_[i] = qRgb(e.red, e.green, e.blue);
        }
      } else {
        if (4 * i + 4 > dib.colorTableBytes) break;
        const std::uint8_t* q = dib.colorTable + 4 * i;
        reader.colors_[i] = qRgb(q[2], q[1], q[0]);
      }
    }
  } else {
    reader.ReadMasks(dib);
  }
  return reader;
}

void DibReader::ReadMasks(const DibBits& dib) {
  if (dib.header.compression == BI_BITFIELDS && dib.colorTableBytes >= 12) {
    for (int c = 0; c < 3; ++c) masks_[c] = ReadLe32(dib.colorTable + 4 * c);
  } else if (bitCount_ == 16) {
    masks_[0] = 0x7C00;
    masks_[1] = 0x03E0;
    masks_[2] = 0x001F;
  } else {
    masks_[0] = 0x00FF0000;
    masks_[1] = 0x0000FF00;
    masks_[2] = 0x000000FF;
  }
  for (int c = 0; c < 3; ++c) {
    shifts_[c] = masks_[c] ? std::countr_zero(masks_[c]) : 0;
    widths_[c] = masks_[c] ? std::popcount(masks_[c] >> shifts_[c]) : 0;
  }
}

QRgb DibReader::PixelAt(int x, int row) const {
  const std::uint8_t* line = bits_ + static_cast<std::size_t>(row) * stride_;
  switch (bitCount_) {
    case 1:
      return colors_[(line[x >> 3] >> (7 - (x & 7))) & 1];
    case 4:
      return colors_[(line[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
    case 8:
      return colors_[line[x]];
    case 24:
      return qRgb(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
    default:
      break;
  }
  const std::uint32_t value = bitCount_ == 16 ? ReadLe16(line + 2 * x) : ReadLe32(line + 4 * x);
  std::uint8_t channel[3];
  for (int c = 0; c < 3; ++c) channel[c] = Scale((value & masks_[c]) >> shifts_[c], widths_[c]);
  return qRgb(channel[0], channel[1], channel[2]);
}
