#pragma once

#include <cstdint>
#include <vector>

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};

// A logical palette: up to 256 colours that pixel indices refer to.
class Palette {
 public:
  static constexpr int kMaxEntries = 256;

  Palette() = default;
  explicit Palette(std::vector<PaletteEntry> entries);

  // The system's stock palette of 20 colours, used wherever no palette is chosen.
  static const Palette& Default();

  int Size() const { return static_cast<int>(entries_.size()); }
  const std::vector<PaletteEntry>& Entries() const { return entries_; }
  // Copies `count` entries from `start`; gives the number copied (0 when start is outside).
  int GetEntries(int start, int count, PaletteEntry* out) const;
  // The entry closest to the colour (smallest squared distance; the first of equals),
  // or -1 for an empty palette.
  int NearestIndex(int red, int green, int blue) const;

 private:
  std::vector<PaletteEntry> entries_;
};
