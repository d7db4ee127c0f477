#include "canvas_view.h"

#include <algorithm>

namespace canvas {

QRectF SourceRect(const View& view) {
  const float z = view.zoomPercent;
  float x = view.offsetX / 2 + kWidth * (1 - 100 / z);
  float y = view.offsetY / 2 + kHeight * (1 - 100 / z);
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  return QRectF(x, y, 9600 / z, 9100 / z);
}

View ViewForPicture(int width, int height) {
  View view;
  view.offsetX = static_cast<float>(width - kWidth) / 2;
  view.offsetY = static_cast<float>(height - kHeight) / 2;
  view.zoomPercent =
      width > height ? 9100.0f / static_cast<float>(height) : 9600.0f / static_cast<float>(width);
  if (view.offsetX < 0) {
    view.offsetX = 0;
    view.zoomPercent = 100;
  }
  if (view.offsetY < 0) {
    view.offsetY = 0;
    view.zoomPercent = 100;
  }
  return view;
}

bool CoversCanvas(int width, int height, float zoomPercent, bool strict) {
  const float w = static_cast<float>(width) * zoomPercent / 100;
  const float h = static_cast<float>(height) * zoomPercent / 100;
  if (strict) return w > kWidth && h > kHeight && width > kWidth && height > kHeight;
  return w >= kWidth && h >= kHeight && width >= kWidth && height >= kHeight;
}

View PanStep(const View& view, QPoint last, QPoint now, int width, int height) {
  View next = view;
  const float z = view.zoomPercent;
  const float fx = static_cast<float>(last.x() - now.x()) * 100 / z * 100 / z + view.offsetX;
  if (fx < 0) {
    next.offsetX = 0;
  } else if (fx / 2 + kWidth <= static_cast<float>(width)) {
    next.offsetX = fx;
  }
  const float fy = static_cast<float>(last.y() - now.y()) * 100 / z * 100 / z + view.offsetY;
  if (fy < 0) {
    next.offsetY = 0;
  } else if (fy / 2 + kHeight <= static_cast<float>(height)) {
    next.offsetY = fy;
  }
  return next;
}

bool OverlayFits(const QRect& moved, const QRect& canvasOnScreen) {
  // QRect's right() and bottom() are inclusive: x() + width() is the exclusive right edge.
  auto inside = [&](int x, int y) {
    return x >= canvasOnScreen.x() && x < canvasOnScreen.x() + canvasOnScreen.width() &&
           y >= canvasOnScreen.y() && y < canvasOnScreen.y() + canvasOnScreen.height();
  };
  return inside(moved.x(), moved.y()) &&
         inside(moved.x() + moved.width(), moved.y() + moved.height());
}

QRect PlacementRect(int width, int height, int maxWidth, int maxHeight, const QRect& canvasRect) {
  float w = static_cast<float>(width);
  float h = static_cast<float>(height);
  if (width > maxWidth || height > maxHeight) {
    const float scale =
        std::max(w / static_cast<float>(maxWidth), h / static_cast<float>(maxHeight));
    w /= scale;
    h /= scale;
  }
  // However thin the picture, it stays at least a pixel each way.
  const int iw = std::max(1, static_cast<int>(w));
  const int ih = std::max(1, static_cast<int>(h));
  return QRect(canvasRect.x() + (canvasRect.width() - iw) / 2,
               canvasRect.y() + (canvasRect.height() - ih) / 2, iw, ih);
}

QRect ThumbnailRect(int width, int height, const QRect& cell) {
  const int cw = cell.width();
  const int ch = cell.height();
  int w = width;
  int h = height;
  if (width >= cw || height >= ch) {
    const float sh = static_cast<float>(height) / static_cast<float>(ch);
    const float sw = static_cast<float>(width) / static_cast<float>(cw);
    if (sh >= sw) {
      w = std::max(1, static_cast<int>(static_cast<float>(width) / sh));
      h = ch;
    } else {
      w = cw;
      h = std::max(1, static_cast<int>(static_cast<float>(height) / sw));
    }
  }
  return QRect(cell.x() + (cw - w + 1) / 2, cell.y() + (ch - h + 1) / 2, w, h);
}

}  // namespace canvas
