#pragma once

#include <QImage>

// A 32-bit bitmap that drawing code paints into and callers keep: pixels as blue, green, red,
// unused bytes. Created with every byte 255 (white).
class DibSection {
 public:
  DibSection() = default;
  // A null section when the size is empty or too large to allocate.
  static DibSection Create(int width, int height);

  bool IsNull() const { return image_.isNull(); }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
};
