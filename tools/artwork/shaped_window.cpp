#include "shaped_window.h"

#include <QPainter>

#include "palette.h"
#include "render_scale.h"

QImage newWindowCanvas(QSize size) {
  QImage image = newImage(size);
  image.fill(palette::windowEdge);
  return image;
}

void cutToShape(QImage& image, const QPainterPath& outline) {
  // Coverage is decided per logical pixel at any scale: the program cuts every window from
  // its 1x bitmap, so a twice-size bitmap must key exactly the same places.
  QImage coverage(logicalSize(image), QImage::Format_Alpha8);
  coverage.fill(0);
  {
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline, Qt::black);
  }

  const int scale = qRound(image.devicePixelRatio());
  const QRgb key = palette::key.rgb();
  const QRgb nearKey = qRgb(254, 0, 255);
  for (int y = 0; y < image.height(); ++y) {
    const uchar* alpha = coverage.constScanLine(y / scale);
    auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (alpha[x / scale] < 128)
        pixel[x] = key;
      else if ((pixel[x] & 0xffffff) == (key & 0xffffff))
        pixel[x] = nearKey;
    }
  }
}

bool isKeyPixel(const QImage& image, int x, int y) {
  const int scale = qRound(image.devicePixelRatio());
  return (image.pixel(x * scale, y * scale) & 0xffffff) == (palette::key.rgb() & 0xffffff);
}
