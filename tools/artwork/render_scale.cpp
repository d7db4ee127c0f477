#include "render_scale.h"

namespace {
int currentScale = 1;
}

void setRenderScale(int scale) { currentScale = scale; }
int renderScale() { return currentScale; }

QImage newImage(QSize logicalSize, QImage::Format format) {
  QImage image(logicalSize * currentScale, format);
  image.setDevicePixelRatio(currentScale);
  return image;
}

QSize logicalSize(const QImage& image) { return image.deviceIndependentSize().toSize(); }

QImage cropLogical(const QImage& image, const QRect& logical) {
  const int scale = qRound(image.devicePixelRatio());
  QImage piece = image.copy(QRect(logical.topLeft() * scale, logical.size() * scale));
  piece.setDevicePixelRatio(scale);
  return piece;
}
