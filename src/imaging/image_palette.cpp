#include "image_palette.h"

#include <vector>

int CImagePalette::Create(int count, const int* red, const int* green, const int* blue) {
  if (palette_ || count < 0 || !red || !green || !blue) return 0;
  std::vector<PaletteEntry> entries(
      static_cast<std::size_t>(std::min(count, Palette::kMaxEntries)));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i] = {static_cast<std::uint8_t>(red[i]), static_cast<std::uint8_t>(green[i]),
                  static_cast<std::uint8_t>(blue[i]), 0};
  }
  palette_ = Palette(std::move(entries));
  return 1;
}

int CImagePalette::EntryAt(int index, int& red, int& green, int& blue) const {
  if (index < 0 || index > 255 || !palette_) return 0;
  PaletteEntry entry;
  if (palette_->GetEntries(index, 1, &entry) != 1) return 0;
  red = entry.red;
  green = entry.green;
  blue = entry.blue;
  return 1;
}

int CImagePalette::NearestIndex(int red, int green, int blue) const {
  return palette_ ? palette_->NearestIndex(red, green, blue) : -1;
}
