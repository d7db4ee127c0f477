#include "gif_lzw_decoder.h"

#include <algorithm>
#include <new>
#include <vector>

#include "imaging/gif_input.h"
#include "imaging/gif_line_writer.h"

namespace {
constexpr int kLargestCodeSize = 12;
}  // namespace

GifLzwDecoder::GifLzwDecoder(GifInput& input, GifLineWriter& writer)
    : input_(input), writer_(writer) {}

int GifLzwDecoder::NextBlock() {
  const int size = input_.NextByte();
  // A zero-length sub-block ends the image data; what follows it is no longer image data.
  if (size <= 0) return GifInput::kReadError;
  if (input_.Read(block_.data(), size) != size) return GifInput::kReadError;
  blockPosition_ = block_.data() + 1;
  available_ = size - 1;
  return block_[0];
}

int GifLzwDecoder::NextCode() {
  while (bitsLeft_ < currentSize_) {
    const int byte = NextBlockByte();
    if (byte < 0) return byte;
    bits_ |= static_cast<std::uint32_t>(byte) << bitsLeft_;
    bitsLeft_ += 8;
  }
  const int code = static_cast<int>(bits_ & ((1u << currentSize_) - 1));
  bits_ >>= currentSize_;
  bitsLeft_ -= currentSize_;
  return code;
}

void GifLzwDecoder::ResetCodeSize() {
  currentSize_ = codeSize_ + 1;
  topSlot_ = 1 << currentSize_;
  slot_ = newCodes_;
}

int GifLzwDecoder::Decode(int lineWidth) {
  const int size = input_.NextByte();
  if (size < 0) return size;
  if (size < 2 || size > 9) return kBadCodeSize;
  codeSize_ = size;
  clear_ = 1 << codeSize_;
  ending_ = clear_ + 1;
  newCodes_ = ending_ + 1;
  ResetCodeSize();
  bits_ = 0;
  bitsLeft_ = 0;
  available_ = 0;

  // Lines of no pixels have no row to go to.
  if (lineWidth <= 0) return GifLineWriter::kNoRowLeft;
  const int width = lineWidth;
  std::vector<std::uint8_t> line;
  try {
    line.resize(static_cast<std::size_t>(width) + 1);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  std::uint8_t* const lineStart = line.data();
  std::uint8_t* const lineEnd = lineStart + width;
  std::uint8_t* out = lineStart;
  std::uint8_t* const stackStart = stack_.data();
  std::uint8_t* const stackEnd = stackStart + stack_.size();
  std::uint8_t* sp = stackStart;

  int oldCode = 0;
  int first = 0;
  for (;;) {
    int c = NextCode();
    if (c < 0) return 0;  // the data ran out: the lines written so far stay
    if (c == ending_) break;

    if (c == clear_) {
      ResetCodeSize();
      do c = NextCode();
      while (c == clear_);
      if (c < 0) return 0;
      if (c == ending_) break;
      if (c >= slot_) c = 0;
      oldCode = first = c;
      *out++ = static_cast<std::uint8_t>(c);
      if (out == lineEnd) {
        const int answer = writer_.Write(lineStart, width);
        if (answer < 0) return answer;
        out = lineStart;
      }
      continue;
    }

    int code = c;
    if (code >= slot_) {
      // The KwKwK case: the old string plus its own first character. A code beyond the
      // next slot is damage, decoded the same way.
      if (code > slot_) ++badCodes_;
      code = oldCode;
      *sp++ = static_cast<std::uint8_t>(first);
    }
    // Damaged streams can chain codes into a loop; the stack bounds every expansion.
    while (code >= newCodes_) {
      if (sp == stackEnd) return kEndlessCode;
      *sp++ = suffix_[code];
      code = prefix_[code];
    }
    if (sp == stackEnd) return kEndlessCode;
    *sp++ = static_cast<std::uint8_t>(code);

    if (slot_ < topSlot_) {
      suffix_[slot_] = static_cast<std::uint8_t>(code);
      first = code;
      prefix_[slot_] = static_cast<std::uint16_t>(oldCode);
      ++slot_;
      oldCode = c;
    }
    if (slot_ >= topSlot_ && currentSize_ < kLargestCodeSize) {
      topSlot_ <<= 1;
      ++currentSize_;
    }

    // The stack holds the string last character first.
    while (sp != stackStart) {
      const std::ptrdiff_t n = std::min(sp - stackStart, lineEnd - out);
      for (std::ptrdiff_t i = 0; i < n; ++i) *out++ = *--sp;
      if (out == lineEnd) {
        const int answer = writer_.Write(lineStart, width);
        if (answer < 0) return answer;
        out = lineStart;
      }
    }
  }
  if (out != lineStart) return writer_.Write(lineStart, static_cast<int>(out - lineStart));
  return 0;
}
