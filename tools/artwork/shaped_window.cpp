#include "shaped_window.h"

#include <QPainter>

#include "palette.h"

QImage newWindowCanvas(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(palette::windowEdge);
  return image;
}

void cutToShape(QImage& image, const QPainterPath& outline) {
  QImage coverage(image.size(), QImage::Format_Alpha8);
  coverage.fill(0);
  {
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline, Qt::black);
  }

  const QRgb key = palette::key.rgb();
  const QRgb nearKey = qRgb(254, 0, 255);
  for (int y = 0; y < image.height(); ++y) {
    const uchar* alpha = coverage.constScanLine(y);
    auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (alpha[x] < 128)
        pixel[x] = key;
      else if ((pixel[x] & 0xffffff) == (key & 0xffffff))
        pixel[x] = nearKey;
    }
  }
}

bool isKeyPixel(const QImage& image, int x, int y) {
  return (image.pixel(x, y) & 0xffffff) == (palette::key.rgb() & 0xffffff);
}
