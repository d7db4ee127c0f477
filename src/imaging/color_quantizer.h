#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A colour as red, green and blue.
struct Rgb8 {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

// Squared distance of two colours in red-green-blue: what the picture's squared error counts.
inline int ColorDistance(const Rgb8& a, const Rgb8& b) {
  const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

// Palettes for one picture that keep its squared colour error small. The picture's colours are
// split into boxes, always the cut that removes the most squared error next; the box means then
// move by k-means over all the picture's colours. The cuts are made once, so palettes of every
// size up to 256 come from the same start.
//
// The error is measured in red-green-blue because that is what the picture's fidelity is judged
// by; cutting in a luma-chroma space instead made no palette better.
class ColorQuantizer {
 public:
  // Rounds of k-means that settle a palette almost completely.
  static constexpr int kSettledRounds = 8;

  explicit ColorQuantizer(const std::vector<Rgb8>& pixels);

  // A palette of at most `colors` entries (1 ... 256; fewer when the picture has fewer colours),
  // refined by at most `rounds` rounds of k-means. `indices`, when given, receives the entry of
  // each pixel: the nearest one, as far as the unrounded entries tell.
  std::vector<Rgb8> Palette(int colors, int rounds = kSettledRounds,
                            std::vector<std::uint8_t>* indices = nullptr) const;
  // How many distinct colours the picture has.
  int DistinctColors() const { return static_cast<int>(colors_.size()); }

  struct Weighted {
    int r, g, b, count;
    int id;  // place among the distinct colours in their first order
  };

 private:
  struct Box {
    int begin, end;
  };
  void SplitBoxes();
  std::vector<std::array<float, 3>> Means(const std::vector<std::array<float, 3>>& points,
                                          const std::vector<int>& owner, int count) const;
  std::vector<std::array<float, 3>> Settle(const std::vector<std::array<float, 3>>& points,
                                           std::vector<int>& owner, int count, int rounds) const;

  std::vector<Weighted> colors_;   // distinct colours, ordered so that every box is a range
  std::vector<int> colorOfPixel_;  // id of each pixel's colour
  std::vector<Box> boxes_;         // in the order they were made: the first n are a palette of n
  std::vector<int> splitOf_;       // the box that was cut to make box i (i >= 1)
};

// Finds the nearest palette entry of colours quickly: entries sorted by brightness, searched
// outwards from the colour's brightness until no nearer one can follow.
class NearestColor {
 public:
  explicit NearestColor(const std::vector<Rgb8>& palette);
  // Index into the palette given to the constructor.
  int Find(const Rgb8& color) const;

 private:
  struct Entry {
    int sum;  // r + g + b
    Rgb8 color;
    int index;
  };
  std::vector<Entry> entries_;
};

// The nearest palette entry of every pixel.
std::vector<std::uint8_t> MapToPalette(const std::vector<Rgb8>& pixels,
                                       const std::vector<Rgb8>& palette);
