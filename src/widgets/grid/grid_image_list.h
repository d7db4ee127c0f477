#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <vector>

class QPainter;

// Small images of one size that cells show by index.
class CGridImageList {
 public:
  CGridImageList() = default;
  // Cuts a horizontal strip into images `width` pixels wide; `maskColor` pixels are transparent.
  static CGridImageList FromStrip(const QImage& strip, int width, QRgb maskColor);

  void Add(const QImage& image);
  int Count() const { return static_cast<int>(images_.size()); }
  // False for an index without an image.
  bool GetImageSize(int index, QSize* size) const;
  void Draw(QPainter& painter, int index, QPoint topLeft) const;

 private:
  std::vector<QImage> images_;
};
