#pragma once

#include <array>
#include <cstdint>

class GifInput;
class GifLineWriter;

// Expands the LZW-coded data sub-blocks of one GIF image into lines of pixel indices and hands
// each full line to a line writer. Every decoder starts with empty tables, so nothing of an
// earlier image can leak into this one.
class GifLzwDecoder {
 public:
  static constexpr int kMaxCodes = 4096;
  static constexpr int kBadCodeSize = -20;
  static constexpr int kNoMemory = -10;
  // A damaged stream made a code whose expansion would not fit the table: it loops.
  static constexpr int kEndlessCode = -30;

  GifLzwDecoder(GifInput& input, GifLineWriter& writer);

  // Reads the minimum code size and decodes lines of `lineWidth` pixels up to the end code.
  // Gives 0 at the end code or when the data run out (the lines so far stay), the code size
  // byte's read error, kBadCodeSize, kNoMemory, kEndlessCode, or the line writer's negative
  // answer.
  int Decode(int lineWidth);

  // Codes seen beyond the next free slot; each was decoded as the KwKwK case.
  int BadCodeCount() const { return badCodes_; }

 private:
  int NextCode();
  int NextBlockByte() {
    if (available_ > 0) {
      --available_;
      return *blockPosition_++;
    }
    return NextBlock();
  }
  int NextBlock();
  void ResetCodeSize();

  GifInput& input_;
  GifLineWriter& writer_;

  int codeSize_ = 0;
  int currentSize_ = 0;
  int clear_ = 0;
  int ending_ = 0;
  int newCodes_ = 0;
  int slot_ = 0;
  int topSlot_ = 0;
  int badCodes_ = 0;

  // Bits taken from the sub-blocks but not yet used, lowest first.
  std::uint32_t bits_ = 0;
  int bitsLeft_ = 0;

  int available_ = 0;
  const std::uint8_t* blockPosition_ = nullptr;
  std::array<std::uint8_t, 255> block_{};

  std::array<std::uint16_t, kMaxCodes> prefix_{};
  std::array<std::uint8_t, kMaxCodes> suffix_{};
  std::array<std::uint8_t, kMaxCodes> stack_{};
};
