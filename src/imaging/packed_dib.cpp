#include "packed_dib.h"

#include <algorithm>

BitmapInfoHeader PackedDib::Header() const {
  if (block_.size() < BitmapInfoHeader::kBytes) return {};
  return ReadBitmapInfoHeader(block_.data());
}

void PackedDib::SetHeader(const BitmapInfoHeader& header) {
  if (block_.size() < BitmapInfoHeader::kBytes) block_.resize(BitmapInfoHeader::kBytes);
  WriteBitmapInfoHeader(block_.data(), header);
}

std::size_t PackedDib::PixelOffset() const {
  const BitmapInfoHeader header = Header();
  const std::size_t table =
      header.compression == BI_BITFIELDS ? 12 : static_cast<std::size_t>(header.clrUsed) * 4;
  return BitmapInfoHeader::kBytes + table;
}

std::uint8_t* PackedDib::Pixels() {
  const std::size_t offset = PixelOffset();
  return offset <= block_.size() ? block_.data() + offset : nullptr;
}

const std::uint8_t* PackedDib::Pixels() const {
  const std::size_t offset = PixelOffset();
  return offset <= block_.size() ? block_.data() + offset : nullptr;
}

std::size_t PackedDib::PixelBytes() const {
  const std::size_t offset = PixelOffset();
  return offset <= block_.size() ? block_.size() - offset : 0;
}

DibBits PackedDib::Bits() const {
  DibBits bits;
  bits.header = Header();
  const std::size_t offset = std::min(PixelOffset(), block_.size());
  if (block_.size() >= BitmapInfoHeader::kBytes) {
    bits.colorTable = block_.data() + BitmapInfoHeader::kBytes;
    bits.colorTableBytes = offset - BitmapInfoHeader::kBytes;
  }
  bits.bits = Pixels();
  bits.bitsBytes = PixelBytes();
  return bits;
}
