#include "gif_lzw_encoder.h"

#include <algorithm>

namespace {

// Multiplicative hashing of a string's key into the 13 bits of the table.
std::uint32_t Slot(std::uint32_t key) { return (key * 2654435761u) >> 19; }

}  // namespace

GifLzwEncoder::GifLzwEncoder(int minCodeSize, int tableLimit)
    : minCodeSize_(std::clamp(minCodeSize, 2, 8)),
      clear_(1 << minCodeSize_),
      tableLimit_(std::clamp(tableLimit, clear_ + 4, kMaxCodes)) {}

void GifLzwEncoder::Reset() {
  std::fill(std::begin(hashKey_), std::end(hashKey_), 0u);
  for (int root = 0; root < clear_; ++root) firstChild_[root] = -1;
  width_ = minCodeSize_ + 1;
  next_ = clear_ + 2;
  decoderSlot_ = clear_ + 2;
  afterClear_ = true;
}

int GifLzwEncoder::Child(int prefix, int symbol) const {
  const std::uint32_t key =
      static_cast<std::uint32_t>(prefix) << 8 | static_cast<std::uint32_t>(symbol);
  for (std::uint32_t slot = Slot(key);; slot = (slot + 1) & (kHashSize - 1)) {
    if (hashKey_[slot] == 0) return -1;
    if (hashKey_[slot] == key + 1) return hashCode_[slot];
  }
}

int GifLzwEncoder::AddString(int prefix, int symbol) {
  const int code = next_++;
  const std::uint32_t key =
      static_cast<std::uint32_t>(prefix) << 8 | static_cast<std::uint32_t>(symbol);
  std::uint32_t slot = Slot(key);
  while (hashKey_[slot] != 0) slot = (slot + 1) & (kHashSize - 1);
  hashKey_[slot] = key + 1;
  hashCode_[slot] = static_cast<std::uint16_t>(code);
  symbol_[code] = static_cast<std::uint8_t>(symbol);
  firstChild_[code] = -1;
  nextSibling_[code] = firstChild_[prefix];
  firstChild_[prefix] = code;
  return code;
}

void GifLzwEncoder::Put(int code) {
  bitBuffer_ |= static_cast<std::uint32_t>(code) << bitCount_;
  bitCount_ += width_;
  while (bitCount_ >= 8) {
    out_->push_back(static_cast<std::uint8_t>(bitBuffer_));
    bitBuffer_ >>= 8;
    bitCount_ -= 8;
  }
}

// The decoder defines a string with every code but the first after a clear and widens its codes
// when its next free code reaches the width's limit; our widths follow its count.
void GifLzwEncoder::Emit(int code) {
  Put(code);
  if (!afterClear_ && decoderSlot_ < kMaxCodes) ++decoderSlot_;
  afterClear_ = false;
  if (decoderSlot_ >= (1 << width_) && width_ < 12) ++width_;
}

std::vector<std::uint8_t> GifLzwEncoder::Encode(const std::vector<std::uint8_t>& indices) {
  return Encode(indices, {}, {}, 0, nullptr);
}

std::vector<std::uint8_t> GifLzwEncoder::Encode(const std::vector<std::uint8_t>& indices,
                                                const std::vector<Rgb8>& pixels,
                                                const std::vector<Rgb8>& palette, int tolerance,
                                                std::vector<std::uint8_t>* shown) {
  std::vector<std::uint8_t> out;
  out_ = &out;
  bitBuffer_ = 0;
  bitCount_ = 0;
  // Lossy only with a colour for every pixel and a palette entry for every index.
  const int largest = indices.empty() ? 0 : *std::max_element(indices.begin(), indices.end());
  const bool lossy = tolerance > 0 && pixels.size() == indices.size() &&
                     largest < static_cast<int>(palette.size());
  if (shown) shown->assign(indices.begin(), indices.end());
  Reset();
  Put(clear_);
  if (!indices.empty()) {
    int string = indices[0] & (clear_ - 1);
    for (std::size_t p = 1; p < indices.size(); ++p) {
      const int own = indices[p] & (clear_ - 1);
      int found = Child(string, own);
      if (found < 0 && lossy) {
        // The child whose colour is nearest the pixel's, if it is near enough.
        const Rgb8& color = pixels[p];
        int best = ColorDistance(color, palette[own]) + tolerance + 1;
        for (int child = firstChild_[string]; child >= 0; child = nextSibling_[child]) {
          const int d = ColorDistance(color, palette[symbol_[child]]);
          if (d < best) {
            best = d;
            found = child;
          }
        }
      }
      if (found >= 0) {
        string = found;
        if (shown) (*shown)[p] = symbol_[found];
        continue;
      }
      Emit(string);
      AddString(string, own);
      if (next_ == tableLimit_) {
        Put(clear_);
        Reset();
      }
      string = own;
    }
    Emit(string);
  }
  Put(clear_ + 1);
  if (bitCount_ > 0) out.push_back(static_cast<std::uint8_t>(bitBuffer_));
  out_ = nullptr;
  return out;
}
