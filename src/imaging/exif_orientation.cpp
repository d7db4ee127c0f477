#include "exif_orientation.h"

#include <cstring>
#include <optional>

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 4;
constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};

// Reads numbers in the structure's byte order; nothing for offsets outside the bytes.
class TiffBytes {
 public:
  TiffBytes(const std::uint8_t* data, std::size_t size, bool bigEndian)
      : data_(data), size_(size), bigEndian_(bigEndian) {}

  std::optional<std::uint16_t> U16(std::uint64_t offset) const {
    if (!Holds(offset, 2)) return std::nullopt;
    const std::uint8_t* p = data_ + offset;
    return static_cast<std::uint16_t>(bigEndian_ ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
  }
  std::optional<std::uint32_t> U32(std::uint64_t offset) const {
    if (!Holds(offset, 4)) return std::nullopt;
    const std::uint8_t* p = data_ + offset;
    if (!bigEndian_)
      return std::uint32_t{p[0]} | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
    return std::uint32_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | std::uint32_t{p[3]};
  }

 private:
  bool Holds(std::uint64_t offset, std::size_t length) const {
    return offset <= size_ && size_ - offset >= length;
  }
  const std::uint8_t* data_;
  std::size_t size_;
  bool bigEndian_;
};

int OrientationEntry(const TiffBytes& tiff, std::uint64_t entry) {
  const auto type = tiff.U16(entry + 2);
  const auto count = tiff.U32(entry + 4);
  if (!type || !count || *count != 1) return 1;
  std::optional<std::uint32_t> value;
  if (*type == kShort) value = tiff.U16(entry + 8);
  if (*type == kLong) value = tiff.U32(entry + 8);
  return value && *value >= 1 && *value <= 8 ? static_cast<int>(*value) : 1;
}

}  // namespace

int ExifOrientation(const std::uint8_t* data, std::size_t size) {
  if (!data) return 1;
  if (size >= sizeof kExifId && std::memcmp(data, kExifId, sizeof kExifId) == 0) {
    data += sizeof kExifId;
    size -= sizeof kExifId;
  }
  if (size < 8) return 1;
  bool bigEndian = false;
  if (data[0] == 'M' && data[1] == 'M') {
    bigEndian = true;
  } else if (data[0] != 'I' || data[1] != 'I') {
    return 1;
  }
  const TiffBytes tiff(data, size, bigEndian);
  if (tiff.U16(2) != 42) return 1;
  const std::uint64_t directory = *tiff.U32(4);
  const auto entries = tiff.U16(directory);
  if (!entries) return 1;
  // Directories are sorted by tag, but damaged ones need not be: look at every entry.
  for (std::uint64_t i = 0; i < *entries; ++i) {
    const std::uint64_t entry = directory + 2 + 12 * i;
    const auto tag = tiff.U16(entry);
    if (!tag) return 1;
    if (*tag == kOrientationTag) return OrientationEntry(tiff, entry);
  }
  return 1;
}

int JpegOrientation(const std::uint8_t* data, std::size_t size) {
  if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return 1;
  std::size_t pos = 2;
  while (size - pos >= 4) {
    if (data[pos] != 0xFF) return 1;
    const std::uint8_t marker = data[pos + 1];
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
      pos += 2;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return 1;  // metadata comes before the first scan
    const std::size_t length = static_cast<std::size_t>(data[pos + 2] << 8 | data[pos + 3]);
    if (length < 2 || length > size - pos - 2) return 1;
    const std::uint8_t* body = data + pos + 4;
    const std::size_t bodySize = length - 2;
    if (marker == 0xE1 && bodySize >= sizeof kExifId &&
        std::memcmp(body, kExifId, sizeof kExifId) == 0)
      return ExifOrientation(body, bodySize);
    pos += 2 + length;
  }
  return 1;
}
