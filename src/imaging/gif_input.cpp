#include "gif_input.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

GifInput::GifInput(QIODevice& device) : device_(device), buffer_(kBufferBytes) {}

bool GifInput::FillBuffer() {
  const qint64 got = device_.read(reinterpret_cast<char*>(buffer_.data()), kBufferBytes);
  position_ = 0;
  filled_ = got > 0 ? static_cast<int>(got) : 0;
  return filled_ > 0;
}

int GifInput::Refill() { return FillBuffer() ? buffer_[position_++] : kReadError; }

int GifInput::Read(std::uint8_t* out, int count) {
  int copied = 0;
  while (copied < count) {
    if (position_ >= filled_ && !FillBuffer()) break;
    const int n = std::min(count - copied, filled_ - position_);
    std::memcpy(out + copied, buffer_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    copied += n;
  }
  return copied;
}

int GifInput::Skip(int count) {
  int skipped = 0;
  while (skipped < count) {
    if (position_ >= filled_ && !FillBuffer()) break;
    const int n = std::min(count - skipped, filled_ - position_);
    position_ += n;
    skipped += n;
  }
  return skipped;
}
