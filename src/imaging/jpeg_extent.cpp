#include "jpeg_extent.h"

#include <cstring>

namespace {

constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;

bool IsRestart(std::uint8_t code) { return code >= 0xD0 && code <= 0xD7; }

// Markers that carry no length.
bool IsStandalone(std::uint8_t code) { return code == 0x00 || code == 0x01 || IsRestart(code); }

// The offset of the marker that ends the entropy-coded data starting at `pos`, or `size` when
// the data runs to the end.
std::size_t SkipScanData(const std::uint8_t* data, std::size_t size, std::size_t pos) {
  while (pos < size) {
    const auto* found = static_cast<const std::uint8_t*>(std::memchr(data + pos, 0xFF, size - pos));
    if (!found) return size;
    pos = static_cast<std::size_t>(found - data);
    if (pos + 1 >= size) return size;
    const std::uint8_t next = data[pos + 1];
    if (next != 0x00 && !IsRestart(next)) return pos;  // stuffed bytes and restarts belong to it
    pos += 2;
  }
  return size;
}

}  // namespace

std::size_t JpegDecodableLength(const std::uint8_t* data, std::size_t size) {
  std::size_t pos = 2;  // behind the start-of-image marker
  while (pos < size) {
    // Like libjpeg, bytes that are no marker are passed over.
    while (pos < size && data[pos] != 0xFF) ++pos;
    const std::size_t markerStart = pos;
    while (pos < size && data[pos] == 0xFF) ++pos;
    if (pos >= size) return markerStart;
    const std::uint8_t code = data[pos++];
    if (code == kEndOfImage) return size;
    if (IsStandalone(code)) continue;
    if (size - pos < 2) return markerStart;
    const std::size_t length = (std::size_t{data[pos]} << 8) | data[pos + 1];
    if (length < 2) return size;  // a damaged segment, for libjpeg to report
    if (size - pos < length) return markerStart;
    pos += length;
    if (code == kStartOfScan) pos = SkipScanData(data, size, pos);
  }
  return size;
}
