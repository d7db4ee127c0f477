#pragma once

#include <QImage>
#include <QRectF>
#include <cstdint>
#include <vector>

// A picture with copies of itself reduced by powers of two, each made once when first needed,
// for drawing the picture at any scale: every screen pixel becomes the mean of the picture area
// it covers (its edges weighted by how much of them it covers). Smaller views take their means
// from the reduced copy that still has two to four pixels per screen pixel, so that panning and
// zooming a large photo cost little after the first view. Means are taken of the stored 8-bit
// values, as viewers and the later file formats see them.
class PicturePyramid {
 public:
  explicit PicturePyramid(const QImage& picture);

  const QImage& Picture() const { return levels_[0]; }

  // Draws the `source` rectangle of the picture (picture pixels) scaled onto the `dest`
  // rectangle of `out` (a 32-bit image); pixels whose area lies outside the picture, or outside
  // `out`, are left as they were. `tone`, when given, maps each mean's channels (256 entries).
  void Draw(QImage& out, const QRectF& dest, const QRectF& source,
            const std::uint8_t* tone = nullptr) const;

  // The picture reduced by 2^level (each pixel the mean of the block it stands for; blocks at the
  // right and bottom edges may be partial).
  const QImage& Level(int level) const;

 private:
  mutable std::vector<QImage> levels_;
};
