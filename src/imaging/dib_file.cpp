#include "dib_file.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "imaging/dib.h"

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kCoreHeaderBytes = 12;
constexpr std::uint16_t kBmType = 0x4D42;  // "BM"
// Extended headers (v2 to v5) are at most this long; anything longer is not a bitmap header.
constexpr std::uint32_t kMaxHeaderBytes = 124;

bool ReadExactly(QIODevice& device, std::uint8_t* buffer, std::size_t bytes) {
  return device.read(reinterpret_cast<char*>(buffer), static_cast<qint64>(bytes)) ==
         static_cast<qint64>(bytes);
}

bool IsUncompressed(std::uint32_t compression) {
  return compression == BI_RGB || compression == BI_BITFIELDS;
}

bool ValidBitCount(int bits, std::uint32_t compression) {
  switch (compression) {
    case BI_RGB:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BI_RLE8:
      return bits == 8;
    case BI_RLE4:
      return bits == 4;
    case BI_BITFIELDS:
      return bits == 16 || bits == 32;
    default:
      return false;  // JPEG and PNG streams inside BMP files are for printers only
  }
}

// The info header as the file has it: a 12-byte core header, a 40-byte header, or a longer
// one whose first 40 bytes are the 40-byte header (version 2 and later add the bit masks).
struct FileInfoHeader {
  BitmapInfoHeader header;
  std::uint32_t bytes = 0;
  bool core = false;
  bool hasMasks = false;
  std::uint32_t masks[3] = {0, 0, 0};
};

std::optional<FileInfoHeader> ReadInfoHeader(QIODevice& device) {
  std::uint8_t raw[kMaxHeaderBytes] = {};
  if (!ReadExactly(device, raw, 4)) return std::nullopt;
  FileInfoHeader info;
  info.bytes = ReadLe32(raw);
  if (info.bytes == kCoreHeaderBytes) {
    if (!ReadExactly(device, raw + 4, kCoreHeaderBytes - 4)) return std::nullopt;
    info.core = true;
    info.header.width = ReadLe16(raw + 4);
    info.header.height = ReadLe16(raw + 6);
    info.header.planes = ReadLe16(raw + 8);
    info.header.bitCount = ReadLe16(raw + 10);
  } else if (info.bytes >= BitmapInfoHeader::kBytes && info.bytes <= kMaxHeaderBytes) {
    if (!ReadExactly(device, raw + 4, info.bytes - 4)) return std::nullopt;
    info.header = ReadBitmapInfoHeader(raw);
    if (info.bytes >= 52) {
      info.hasMasks = true;
      for (int c = 0; c < 3; ++c) info.masks[c] = ReadLe32(raw + 40 + 4 * c);
    }
  } else {
    return std::nullopt;
  }
  info.header.size = BitmapInfoHeader::kBytes;
  return info;
}

// Reads what stands between the info header and the pixels: the colour table (widening the
// three-byte entries of core files) or the bit masks. Gives the block's colour table bytes.
std::optional<std::vector<std::uint8_t>> ReadColorTable(QIODevice& device, FileInfoHeader& info) {
  BitmapInfoHeader& header = info.header;
  const int bits = header.bitCount;
  if (header.compression == BI_BITFIELDS) {
    std::vector<std::uint8_t> table(12);
    if (info.hasMasks) {
      for (int c = 0; c < 3; ++c) WriteLe32(table.data() + 4 * c, info.masks[c]);
    } else if (!ReadExactly(device, table.data(), table.size())) {
      return std::nullopt;
    }
    // An optional palette may follow the masks; bit-field pixels never use it.
    const qint64 extra = qint64(header.clrUsed) * 4;
    if (header.clrUsed > 256 || (extra > 0 && device.skip(extra) != extra)) return std::nullopt;
    header.clrUsed = 3;
    return table;
  }
  std::uint32_t entries = header.clrUsed;
  if (bits <= 8) {
    if (entries == 0 || info.core) entries = 1u << bits;
    if (entries > (1u << bits)) return std::nullopt;
  } else if (entries > 256) {
    return std::nullopt;
  }
  const std::size_t entryBytes = info.core ? 3 : 4;
  std::vector<std::uint8_t> fileTable(entries * entryBytes);
  if (!ReadExactly(device, fileTable.data(), fileTable.size())) return std::nullopt;
  std::vector<std::uint8_t> table(entries * 4, 0);
  for (std::size_t i = 0; i < entries; ++i)
    std::copy_n(&fileTable[i * entryBytes], 3, &table[i * 4]);
  if (!info.core)
    for (std::size_t i = 0; i < entries; ++i) table[i * 4 + 3] = fileTable[i * 4 + 3];
  header.clrUsed = entries;
  return table;
}

// Turns rows stored top row first into the bottom-up order of the block.
void FlipRows(std::uint8_t* pixels, std::size_t stride, std::size_t rows) {
  for (std::size_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(pixels + top * stride, pixels + (top + 1) * stride, pixels + bottom * stride);
}

}  // namespace

PackedDibPtr LoadDibFromDevice(QIODevice& device) {
  const qint64 start = device.pos();
  const qint64 fileEnd = device.size();

  std::uint8_t fileHeader[kFileHeaderBytes];
  if (!ReadExactly(device, fileHeader, kFileHeaderBytes)) return nullptr;
  std::uint32_t pixelOffset = 0;
  if (ReadLe16(fileHeader) == kBmType) {
    pixelOffset = ReadLe32(fileHeader + 10);
  } else if (!device.seek(start)) {  // a DIB without its file header
    return nullptr;
  }

  auto info = ReadInfoHeader(device);
  if (!info) return nullptr;
  BitmapInfoHeader& header = info->header;

  // Dimensions and depth, before any size derived from them is trusted.
  const int bits = header.bitCount;
  if (!ValidBitCount(bits, header.compression)) return nullptr;
  const bool topDown = header.height < 0;
  if (topDown && !IsUncompressed(header.compression)) return nullptr;
  const std::int64_t width = header.width;
  const std::int64_t height = std::llabs(static_cast<std::int64_t>(header.height));
  if (width <= 0 || height <= 0 || width > kMaxDibDimension || height > kMaxDibDimension)
    return nullptr;
  header.height = static_cast<std::int32_t>(height);

  // Uncompressed rows have a known size whatever the header says; compressed data is taken at
  // its declared length.
  const std::size_t imageSize = IsUncompressed(header.compression)
                                    ? static_cast<std::size_t>(DibRowStride(width, bits) * height)
                                    : header.sizeImage;
  if (imageSize == 0 || imageSize > kMaxDibBytes) return nullptr;
  header.sizeImage = static_cast<std::uint32_t>(imageSize);

  const auto table = ReadColorTable(device, *info);
  if (!table) return nullptr;

  if (pixelOffset != 0) {
    const qint64 pixelStart = start + pixelOffset;
    if (pixelOffset < kFileHeaderBytes || pixelStart > fileEnd || !device.seek(pixelStart))
      return nullptr;
  }
  if (fileEnd - device.pos() < static_cast<qint64>(imageSize)) return nullptr;  // truncated

  auto dib = std::make_unique<PackedDib>(BitmapInfoHeader::kBytes + table->size() + imageSize);
  std::copy(table->begin(), table->end(), dib->ColorTable());
  std::uint8_t* pixels = dib->ColorTable() + table->size();
  if (!ReadExactly(device, pixels, imageSize)) return nullptr;
  if (topDown)
    FlipRows(pixels, static_cast<std::size_t>(DibRowStride(width, bits)),
             static_cast<std::size_t>(height));
  dib->SetHeader(header);
  return dib;
}

PackedDibPtr LoadDibFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  return LoadDibFromDevice(file);
}

int SaveDibFile(const QString& fileName, const PackedDib* dib) {
  if (!dib || dib->Size() < BitmapInfoHeader::kBytes) return 0;
  const BitmapInfoHeader header = dib->Header();
  const std::size_t tableBytes = static_cast<std::size_t>(DibColorTableBytes(*dib));
  const std::size_t heldTable =
      std::min(dib->PixelOffset(), dib->Size()) - BitmapInfoHeader::kBytes;
  const std::size_t imageSize = header.sizeImage;
  if (imageSize > dib->PixelBytes()) return 0;  // the block does not hold what it declares

  // The colour table is written at the size readers expect from the header, padded with
  // zero entries where the block holds fewer.
  std::vector<std::uint8_t> table(tableBytes, 0);
  std::copy_n(dib->ColorTable(), std::min(tableBytes, heldTable), table.begin());

  std::uint8_t fileHeader[kFileHeaderBytes] = {};
  WriteLe16(fileHeader, kBmType);
  WriteLe32(fileHeader + 2, static_cast<std::uint32_t>(kFileHeaderBytes + BitmapInfoHeader::kBytes +
                                                       tableBytes + imageSize));
  WriteLe32(fileHeader + 10,
            static_cast<std::uint32_t>(kFileHeaderBytes + BitmapInfoHeader::kBytes + tableBytes));

  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  auto write = [&file](const std::uint8_t* data, std::size_t bytes) {
    return file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(bytes)) ==
           static_cast<qint64>(bytes);
  };
  std::uint8_t infoHeader[BitmapInfoHeader::kBytes];
  WriteBitmapInfoHeader(infoHeader, header);
  const bool written =
      write(fileHeader, kFileHeaderBytes) && write(infoHeader, BitmapInfoHeader::kBytes) &&
      write(table.data(), table.size()) && write(dib->Pixels(), imageSize) && file.flush();
  file.close();
  if (!written || file.error() != QFileDevice::NoError) {
    if (QFileInfo(fileName).isFile()) file.remove();  // never leave half a picture behind
    return 0;
  }
  return 1;
}
