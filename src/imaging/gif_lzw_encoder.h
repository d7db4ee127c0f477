#pragma once

#include <cstdint>
#include <vector>

#include "imaging/color_quantizer.h"

// The LZW code stream of a GIF image: variable-width codes (minimum code size + 1 up to 12
// bits) packed least significant bit first, a clear code first and again whenever the string
// table is full, the end code last. Sub-block framing is the file writer's.
//
// With a tolerance above 0 the encoder is lossy: while following a string of the table it may
// take a string whose next colour is not the pixel's own index, as long as that colour's squared
// distance to the pixel's true colour exceeds the distance of the pixel's own index by no more
// than the tolerance. Longer strings mean fewer codes; every pixel's error stays bounded.
class GifLzwEncoder {
 public:
  // `minCodeSize` 2 ... 8; indices are taken modulo 1 << minCodeSize. The string table starts
  // afresh once it holds `tableLimit` codes (at most 4096): a smaller table keeps codes narrower.
  explicit GifLzwEncoder(int minCodeSize, int tableLimit = 4096);

  // Lossless: the codes of exactly these indices.
  std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& indices);
  // Lossy: `indices` are the nearest palette entries of `pixels`; `shown` receives the indices
  // the codes decode to. Without a colour for every pixel or an entry for every index the codes
  // are lossless.
  std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& indices,
                                   const std::vector<Rgb8>& pixels,
                                   const std::vector<Rgb8>& palette, int tolerance,
                                   std::vector<std::uint8_t>* shown);

 private:
  static constexpr int kMaxCodes = 4096;
  static constexpr int kHashSize = 8192;

  void Reset();
  int AddString(int prefix, int symbol);
  // The string `prefix` followed by `symbol`, or -1.
  int Child(int prefix, int symbol) const;
  void Emit(int code);
  void Put(int code);

  int minCodeSize_;
  int clear_;
  int tableLimit_;
  int width_ = 0;
  int next_ = 0;         // next free code of our table
  int decoderSlot_ = 0;  // the decoder's next free code, one string behind ours
  bool afterClear_ = true;
  std::uint32_t hashKey_[kHashSize];  // (prefix << 8 | symbol) + 1; 0 for a free slot
  std::uint16_t hashCode_[kHashSize];
  int firstChild_[kMaxCodes];
  int nextSibling_[kMaxCodes];
  std::uint8_t symbol_[kMaxCodes];
  std::vector<std::uint8_t>* out_ = nullptr;
  std::uint32_t bitBuffer_ = 0;
  int bitCount_ = 0;
};
