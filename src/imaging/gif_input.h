#pragma once

#include <cstdint>
#include <vector>

class QIODevice;

// The bytes of a GIF stream, read ahead in pieces of 16384 bytes. Every read of the reader
// goes through here, so the position after one block is where the next one starts.
class GifInput {
 public:
  static constexpr int kBufferBytes = 16384;
  // Given instead of a byte when the stream has ended or the device failed.
  static constexpr int kReadError = -2;

  explicit GifInput(QIODevice& device);

  int NextByte() { return position_ < filled_ ? buffer_[position_++] : Refill(); }
  // Copies up to `count` bytes; gives the number copied.
  int Read(std::uint8_t* out, int count);
  // Skips up to `count` bytes; gives the number skipped.
  int Skip(int count);

 private:
  int Refill();
  bool FillBuffer();

  QIODevice& device_;
  std::vector<std::uint8_t> buffer_;
  int position_ = 0;
  int filled_ = 0;
};
