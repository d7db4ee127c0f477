#include "region_from_bitmap.h"

#include <QRect>
#include <algorithm>
#include <vector>

namespace {

// Runs are collected in batches so that no single region request grows without bound.
constexpr std::size_t kRectsPerBatch = 2000;

struct KeyRange {
  int low[3];
  int high[3];

  explicit KeyRange(QRgb key) {
    const int channels[3] = {qRed(key), qGreen(key), qBlue(key)};
    for (int c = 0; c < 3; ++c) {
      low[c] = channels[c];
      high[c] = std::min(255, 2 * channels[c]);
    }
  }

  bool Contains(QRgb pixel) const {
    const int channels[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    for (int c = 0; c < 3; ++c) {
      if (channels[c] < low[c] || channels[c] > high[c]) return false;
    }
    return true;
  }
};

void MergeBatch(std::vector<QRect>& batch, QRegion& result, bool& haveResult) {
  if (batch.empty() && haveResult) return;
  QRegion part;
  part.setRects(batch.data(), static_cast<int>(batch.size()));
  result = haveResult ? result.united(part) : part;
  haveResult = true;
  batch.clear();
}

}  // namespace

std::optional<QRegion> RegionFromBitmap(const QImage& bitmap) {
  if (bitmap.isNull()) return std::nullopt;
  const QImage pixels = bitmap.convertToFormat(QImage::Format_RGB32);
  const int width = pixels.width();
  const int height = pixels.height();
  const KeyRange key(pixels.pixel(0, height - 1));

  std::vector<QRect> batch;
  batch.reserve(kRectsPerBatch);
  QRegion result;
  bool haveResult = false;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    int x = 0;
    while (x < width) {
      const int start = x;
      while (x < width && !key.Contains(row[x])) ++x;
      if (x > start) {
        batch.emplace_back(start, y, x - start, 1);
        if (batch.size() == kRectsPerBatch) MergeBatch(batch, result, haveResult);
      }
      ++x;  // step over the key pixel
    }
  }
  MergeBatch(batch, result, haveResult);
  return result;
}

QImage TransparentOutsideOutline(const QImage& screen, const QImage& bitmap) {
  if (bitmap.isNull() || screen.isNull()) return screen;
  const QImage outline = bitmap.convertToFormat(QImage::Format_RGB32);
  const KeyRange key(outline.pixel(0, outline.height() - 1));
  QImage result = screen.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const double ratio = result.devicePixelRatio();
  for (int y = 0; y < result.height(); ++y) {
    const int logicalY = std::min(outline.height() - 1, static_cast<int>(y / ratio));
    const auto* source = reinterpret_cast<const QRgb*>(outline.constScanLine(logicalY));
    auto* pixel = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const int logicalX = std::min(outline.width() - 1, static_cast<int>(x / ratio));
      if (key.Contains(source[logicalX])) pixel[x] = 0;
    }
  }
  return result;
}
