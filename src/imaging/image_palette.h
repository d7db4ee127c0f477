#pragma once

#include <optional>

#include "platform/palette.h"

// The palette of an image object. Holds at most one palette, created once.
class CImagePalette {
 public:
  CImagePalette() = default;
  explicit CImagePalette(Palette palette) : palette_(std::move(palette)) {}

  // Creates the palette from colour arrays; 0 when one exists already.
  int Create(int count, const int* red, const int* green, const int* blue);
  bool HasPalette() const { return palette_.has_value(); }
  const Palette* Get() const { return palette_ ? &*palette_ : nullptr; }

  // One entry: 0 for an index outside 0 ... 255 or beyond the palette, else 1.
  int EntryAt(int index, int& red, int& green, int& blue) const;
  // The entry nearest to the colour, or -1 without a palette.
  int NearestIndex(int red, int green, int blue) const;

 private:
  std::optional<Palette> palette_;
};
