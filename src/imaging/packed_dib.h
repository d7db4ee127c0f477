#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/bitmap_info.h"
#include "platform/device_context.h"

// A device-independent bitmap in one contiguous block: the 40-byte header, the colour table,
// then the pixel rows bottom row first, each padded to four bytes - the layout of a BMP file
// behind its 14-byte file header.
class PackedDib {
 public:
  // A zero-filled block of the given size.
  explicit PackedDib(std::size_t bytes) : block_(bytes) {}

  std::uint8_t* Data() { return block_.data(); }
  const std::uint8_t* Data() const { return block_.data(); }
  std::size_t Size() const { return block_.size(); }
  // Grows (or shrinks) the block, keeping its start; new bytes are zero.
  void Resize(std::size_t bytes) { block_.resize(bytes); }

  BitmapInfoHeader Header() const;
  void SetHeader(const BitmapInfoHeader& header);

  std::uint8_t* ColorTable() { return block_.data() + BitmapInfoHeader::kBytes; }
  const std::uint8_t* ColorTable() const { return block_.data() + BitmapInfoHeader::kBytes; }
  // Offset of the first pixel byte: behind the header and colours-used entries (the three
  // bit masks for bit-field bitmaps).
  std::size_t PixelOffset() const;
  // The pixel rows, or nullptr when the block is too small to hold them.
  std::uint8_t* Pixels();
  const std::uint8_t* Pixels() const;
  // Bytes of pixel rows the block holds behind PixelOffset.
  std::size_t PixelBytes() const;
  // The bitmap as drawing calls read it.
  DibBits Bits() const;

 private:
  std::vector<std::uint8_t> block_;
};

using PackedDibPtr = std::unique_ptr<PackedDib>;
