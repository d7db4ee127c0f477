#pragma once

#include <QBuffer>
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "imaging/full_color_image.h"

// Pictures of many megapixels only repeat the work of small ones, slowly: past the size check
// they are left to the unit tests.
inline bool WorthDecoding(const std::uint8_t* data, std::size_t size) {
  const QSize declared = ReadImageSize(data, size);
  return static_cast<long long>(declared.width()) * declared.height() <= (1 << 18);
}

// The fuzzer's bytes as a read-only device, without copying them.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : bytes_(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                       static_cast<qsizetype>(size))),
        buffer_(&bytes_) {
    buffer_.open(QIODevice::ReadOnly);
  }
  QBuffer& Device() { return buffer_; }
  const QByteArray& Bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
  QBuffer buffer_;
};
