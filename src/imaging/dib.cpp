#include "dib.h"

#include <algorithm>

namespace {

// The 16 VGA colours as red, green, blue.
constexpr std::uint8_t kVgaColors[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};

constexpr std::size_t kFullColorTableBytes = 1024;

bool ValidSize(int bitCount, int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxDibDimension || height > kMaxDibDimension)
    return false;
  const std::int64_t bytes = DibRowStride(width, bitCount) * height;
  return bytes > 0 && static_cast<std::size_t>(bytes) <= kMaxDibBytes;
}

bool ValidBitCount(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
         bitCount == 32;
}

void WriteQuad(std::uint8_t* entry, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  entry[0] = blue;
  entry[1] = green;
  entry[2] = red;
  entry[3] = 0;
}

}  // namespace

PackedDibPtr NewDib(int bitCount, int width, int height) {
  if (!ValidBitCount(bitCount) || !ValidSize(bitCount, width, height)) return nullptr;
  const auto stride = static_cast<std::size_t>(DibRowStride(width, bitCount));
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  auto dib =
      std::make_unique<PackedDib>(BitmapInfoHeader::kBytes + kFullColorTableBytes + imageSize);

  BitmapInfoHeader header;
  header.width = width;
  header.height = height;
  header.bitCount = static_cast<std::uint16_t>(bitCount);
  header.sizeImage = static_cast<std::uint32_t>(imageSize);
  header.clrUsed = bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
  dib->SetHeader(header);

  for (std::uint32_t i = 0; i < header.clrUsed; ++i) {
    const auto* vga = kVgaColors[i % 16];
    WriteQuad(dib->ColorTable() + 4 * i, vga[0], vga[1], vga[2]);
  }
  return dib;
}

int DibColorCount(const PackedDib& dib) {
  const BitmapInfoHeader header = dib.Header();
  if (header.size != 12 && header.clrUsed != 0)
    return static_cast<int>(std::min<std::uint32_t>(header.clrUsed, 256));
  switch (header.bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

int DibColorTableBytes(const PackedDib& dib) {
  return DibColorCount(dib) * (dib.Header().size == 12 ? 3 : 4);
}

int SetDibColorTable(PackedDib* dib, const Palette* palette, int mode) {
  if (!dib) return 0;
  const Palette& colors = palette ? *palette : Palette::Default();
  const BitmapInfoHeader header = dib->Header();
  int count = DibColorCount(*dib);
  if (count == 3 && header.compression == BI_BITFIELDS) return 1;  // the entries are masks
  if (count <= 0) return 1;
  // Never write past the table the block holds.
  const std::size_t room =
      dib->PixelOffset() > BitmapInfoHeader::kBytes
          ? std::min(dib->PixelOffset(), dib->Size()) - BitmapInfoHeader::kBytes
          : 0;
  std::uint8_t* table = dib->ColorTable();
  if (mode == 1) {
    count = std::min<int>(count, static_cast<int>(room / 2));
    for (int i = 0; i < count; ++i) WriteLe16(table + 2 * i, static_cast<std::uint16_t>(i));
    return 1;
  }
  count = std::min({count, Palette::kMaxEntries, static_cast<int>(room / 4)});
  std::vector<PaletteEntry> entries(static_cast<std::size_t>(count));
  // Entries the palette does not have are left as they are.
  const int fetched = colors.GetEntries(0, count, entries.data());
  for (int i = 0; i < fetched; ++i)
    WriteQuad(table + 4 * i, entries[i].red, entries[i].green, entries[i].blue);
  return 1;
}

std::optional<Palette> PaletteFromDib(const PackedDib& dib, std::uint8_t flags) {
  const BitmapInfoHeader header = dib.Header();
  if (header.clrUsed == 0) return std::nullopt;
  const std::size_t count = std::min<std::size_t>(header.clrUsed, Palette::kMaxEntries);
  if (BitmapInfoHeader::kBytes + count * 4 > dib.Size()) return std::nullopt;
  std::vector<PaletteEntry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* quad = dib.ColorTable() + 4 * i;
    entries[i] = {quad[2], quad[1], quad[0], flags};
  }
  return Palette(std::move(entries));
}

PackedDibPtr DibFromScreenBitmap(const QImage& bitmap, std::uint32_t compression, int bitCount,
                                 const Palette* palette) {
  if (bitmap.isNull() || compression != BI_RGB) return nullptr;
  if (bitCount == 0) bitCount = 32;
  if (!ValidBitCount(bitCount) || !ValidSize(bitCount, bitmap.width(), bitmap.height()))
    return nullptr;
  const Palette& colors = palette ? *palette : Palette::Default();
  const QImage source = bitmap.convertToFormat(QImage::Format_RGB32);
  const int width = source.width();
  const int height = source.height();
  const auto stride = static_cast<std::size_t>(DibRowStride(width, bitCount));
  const int tableEntries = bitCount <= 8 ? 1 << bitCount : 0;

  BitmapInfoHeader header;
  header.width = width;
  header.height = height;
  header.bitCount = static_cast<std::uint16_t>(bitCount);
  header.sizeImage = static_cast<std::uint32_t>(stride * height);
  header.clrUsed = static_cast<std::uint32_t>(tableEntries);
  auto dib =
      std::make_unique<PackedDib>(BitmapInfoHeader::kBytes + tableEntries * 4 + header.sizeImage);
  dib->SetHeader(header);
  if (tableEntries > 0) SetDibColorTable(dib.get(), &colors, 0);

  std::uint8_t* pixels = dib->Pixels();
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(height - 1 - y));
    std::uint8_t* out = pixels + stride * y;
    for (int x = 0; x < width; ++x) {
      const QRgb c = in[x];
      switch (bitCount) {
        case 32:
          WriteQuad(out + 4 * x, static_cast<std::uint8_t>(qRed(c)),
                    static_cast<std::uint8_t>(qGreen(c)), static_cast<std::uint8_t>(qBlue(c)));
          break;
        case 24:
          out[3 * x] = static_cast<std::uint8_t>(qBlue(c));
          out[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
          out[3 * x + 2] = static_cast<std::uint8_t>(qRed(c));
          break;
        case 16:
          WriteLe16(out + 2 * x,
                    static_cast<std::uint16_t>(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) |
                                               (qBlue(c) >> 3)));
          break;
        default: {
          const int index = std::max(0, colors.NearestIndex(qRed(c), qGreen(c), qBlue(c)));
          const int perByte = 8 / bitCount;
          const int shift = (perByte - 1 - x % perByte) * bitCount;
          out[x / perByte] |= static_cast<std::uint8_t>((index & ((1 << bitCount) - 1)) << shift);
        }
      }
    }
  }
  return dib;
}
