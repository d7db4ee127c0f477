#include "image_orientation.h"

#include <algorithm>

#include "imaging/rgb32_image.h"

namespace {

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

// How far the stored pixel moves, in pixels of its buffer, for one step right and one step down
// in the upright picture.
struct Steps {
  qsizetype right, down;
};

Steps StepsOf(int orientation, qsizetype line) {
  switch (orientation) {
    case 2:
      return {-1, line};
    case 3:
      return {-1, -line};
    case 4:
      return {1, -line};
    case 5:
      return {line, 1};
    case 6:
      return {-line, 1};
    case 7:
      return {-line, -1};
    case 8:
      return {line, -1};
    default:
      return {1, line};
  }
}

}  // namespace

QImage OrientedImage(const QImage& stored, int orientation) {
  if (stored.isNull() || orientation < 2 || orientation > 8) return stored;
  const QImage source = stored.convertToFormat(QImage::Format_RGB32);
  const QSize size = OrientedSize(source.size(), orientation);
  QImage upright = NewRgb32(size.width(), size.height());
  if (upright.isNull()) return {};
  const Steps steps = StepsOf(orientation, source.bytesPerLine() / 4);
  const QPoint corner = StoredTopLeft(source.size(), orientation);
  const QRgb* origin = reinterpret_cast<const QRgb*>(source.constScanLine(corner.y())) + corner.x();
  // In square tiles, so that the columns a quarter turn reads stay in the cache.
  constexpr int kTile = 64;
  for (int top = 0; top < size.height(); top += kTile) {
    const int bottom = std::min(top + kTile, size.height());
    for (int left = 0; left < size.width(); left += kTile) {
      const int right = std::min(left + kTile, size.width());
      for (int y = top; y < bottom; ++y) {
        auto* out = reinterpret_cast<QRgb*>(upright.scanLine(y));
        const QRgb* in = origin + y * steps.down + left * steps.right;
        for (int x = left; x < right; ++x, in += steps.right) out[x] = *in;
      }
    }
  }
  return upright;
}

QSize OrientedSize(QSize stored, int orientation) {
  return SwapsSides(orientation) ? stored.transposed() : stored;
}

QPoint StoredTopLeft(QSize stored, int orientation) {
  const int right = stored.width() - 1;
  const int bottom = stored.height() - 1;
  switch (orientation) {
    case 2:
    case 8:
      return {right, 0};
    case 3:
    case 7:
      return {right, bottom};
    case 4:
    case 6:
      return {0, bottom};
    default:
      return {0, 0};
  }
}
