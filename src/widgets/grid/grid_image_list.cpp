#include "grid_image_list.h"

#include <QPainter>

CGridImageList CGridImageList::FromStrip(const QImage& strip, int width, QRgb maskColor) {
  CGridImageList list;
  if (width <= 0 || strip.isNull()) return list;
  const QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
  // `width` is in logical pixels: a twice-size strip gives twice-size images.
  const qreal ratio = strip.devicePixelRatio();
  const int step = qRound(width * ratio);
  for (int x = 0; x + step <= argb.width(); x += step) {
    QImage piece = argb.copy(x, 0, step, argb.height());
    piece.setDevicePixelRatio(ratio);
    for (int y = 0; y < piece.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
      for (int i = 0; i < piece.width(); ++i) {
        if ((line[i] & 0x00FFFFFF) == (maskColor & 0x00FFFFFF)) line[i] = 0;
      }
    }
    list.images_.push_back(std::move(piece));
  }
  return list;
}

void CGridImageList::Add(const QImage& image) { images_.push_back(image); }

bool CGridImageList::GetImageSize(int index, QSize* size) const {
  if (index < 0 || index >= Count()) return false;
  *size = images_[index].deviceIndependentSize().toSize();
  return true;
}

void CGridImageList::Draw(QPainter& painter, int index, QPoint topLeft) const {
  if (index < 0 || index >= Count()) return;
  painter.drawImage(topLeft, images_[index]);
}
