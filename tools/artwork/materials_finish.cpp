#include "materials_finish.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The pixels of the transparent region around `start`, 4-connected; sets
// `touchesEdge` when it reaches the border of the image.
QList<QPoint> transparentRegion(const QImage& art, QPoint start, std::vector<bool>& seen,
                                bool& touchesEdge) {
  const int width = art.width(), height = art.height();
  QList<QPoint> region{start}, pending{start};
  seen[start.y() * width + start.x()] = true;
  touchesEdge = false;
  while (!pending.isEmpty()) {
    const QPoint point = pending.takeLast();
    if (point.x() == 0 || point.y() == 0 || point.x() == width - 1 || point.y() == height - 1)
      touchesEdge = true;
    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
      const QPoint next = point + step;
      if (!art.rect().contains(next) || seen[next.y() * width + next.x()] ||
          qAlpha(art.pixel(next)) >= 128)
        continue;
      seen[next.y() * width + next.x()] = true;
      region << next;
      pending << next;
    }
  }
  return region;
}

// The average colour of the solid pixels bordering `region`.
QRgb surroundingColour(const QImage& art, const QList<QPoint>& region) {
  double red = 0, green = 0, blue = 0;
  int count = 0;
  for (const QPoint point : region) {
    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
      const QRgb colour = art.pixel(point + step);
      if (qAlpha(colour) < 128) continue;
      const QRgb plain = qUnpremultiply(colour);
      red += qRed(plain);
      green += qGreen(plain);
      blue += qBlue(plain);
      ++count;
    }
  }
  if (count == 0) return qRgb(255, 255, 255);
  return qRgb(int(red / count + 0.5), int(green / count + 0.5), int(blue / count + 0.5));
}

}  // namespace

QImage newMaterialCanvas(int width, int height) {
  QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  return canvas;
}

QImage withOutline(const QImage& art, const QColor& colour, qreal radius) {
  const QImage source = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage result = newMaterialCanvas(source.width(), source.height());
  const int reach = int(std::ceil(radius));
  for (int y = 0; y < source.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      // Each neighbour within `radius` lends its full coverage, fading out over
      // the pixel beyond, so the outline keeps a smooth edge of its own.
      qreal coverage = 0;
      for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
          const int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= source.width() || sy >= source.height()) continue;
          const qreal weight = std::clamp(radius + 1 - std::hypot(dx, dy), 0.0, 1.0);
          coverage = std::max(coverage, weight * qAlpha(source.pixel(sx, sy)) / 255.0);
        }
      }
      QColor shade = colour;
      shade.setAlphaF(float(coverage));
      out[x] = qPremultiply(shade.rgba());
    }
  }
  QPainter painter(&result);
  painter.drawImage(0, 0, source);
  return result;
}

QImage withSmallHolesFilled(const QImage& art, int maxArea, qreal outlineRadius) {
  QImage result = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  // Holes are looked for in the outlined shape: the outline closes narrow
  // gaps, turning the space behind them into holes of its own.
  const QImage outlined = withOutline(result, Qt::black, outlineRadius);
  std::vector<bool> seen(std::size_t(result.width()) * result.height(), false);
  for (int y = 0; y < result.height(); ++y) {
    for (int x = 0; x < result.width(); ++x) {
      if (seen[y * result.width() + x] || qAlpha(outlined.pixel(x, y)) >= 128) continue;
      bool touchesEdge = false;
      QList<QPoint> hole = transparentRegion(outlined, {x, y}, seen, touchesEdge);
      if (touchesEdge || hole.size() > maxArea) continue;
      // Take in the ring the outline would draw inside the hole too, so the
      // filled hole shows no dark ring.
      for (int ring = 0; ring < int(std::ceil(outlineRadius)); ++ring) {
        const QList<QPoint> inner = hole;
        for (const QPoint point : inner)
          for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            if (result.rect().contains(point + step) && qAlpha(result.pixel(point + step)) < 128 &&
                !hole.contains(point + step))
              hole << point + step;
      }
      const QRgb fill = surroundingColour(result, hole);
      for (const QPoint point : hole) result.setPixel(point, fill);
    }
  }
  return result;
}
