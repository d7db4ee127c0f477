#include "palette.h"

#include <algorithm>
#include <limits>

Palette::Palette(std::vector<PaletteEntry> entries) : entries_(std::move(entries)) {
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

const Palette& Palette::Default() {
  static const Palette stock({
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
  });
  return stock;
}

int Palette::GetEntries(int start, int count, PaletteEntry* out) const {
  if (start < 0 || start >= Size() || count <= 0) return 0;
  const int copied = std::min(count, Size() - start);
  std::copy_n(entries_.begin() + start, copied, out);
  return copied;
}

int Palette::NearestIndex(int red, int green, int blue) const {
  int best = -1;
  int bestDistance = std::numeric_limits<int>::max();
  for (int i = 0; i < Size(); ++i) {
    const int dr = entries_[i].red - red;
    const int dg = entries_[i].green - green;
    const int db = entries_[i].blue - blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
      if (distance == 0) break;
    }
  }
  return best;
}
