#include "reduced_image.h"

#include <QFileInfo>

#include "imaging/full_color_image.h"
#include "imaging/thumbnail_cache.h"

QImage CentreSampledScaled(const QImage& image, QSize size) {
  if (image.isNull() || size.isEmpty()) return QImage();
  const QImage source = image.convertToFormat(QImage::Format_RGB32);
  QImage scaled(size, QImage::Format_RGB32);
  std::vector<int> columns(static_cast<std::size_t>(size.width()));
  for (int x = 0; x < size.width(); ++x)
    columns[x] = static_cast<int>((x + 0.5) * source.width() / size.width());
  for (int y = 0; y < size.height(); ++y) {
    const int sy = static_cast<int>((y + 0.5) * source.height() / size.height());
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
    auto* out = reinterpret_cast<QRgb*>(scaled.scanLine(y));
    for (int x = 0; x < size.width(); ++x) out[x] = in[columns[x]];
  }
  return scaled;
}

namespace {

// Files this large take long enough to decode that their reduced pictures are worth keeping.
constexpr qint64 kCachedFileBytes = 1024 * 1024;

ReducedImage DecodeReduced(const QString& path, QSize size) {
  const SmallPicture picture = LoadSmallPicture(path, size);
  if (picture.image.isNull()) return {};
  return {picture.photo
              ? picture.image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
              : CentreSampledScaled(picture.image, size),
          picture.topLeft};
}

}  // namespace

ReducedImage LoadReducedImage(const QString& path, QSize size) {
  if (size.isEmpty()) return {};
  const bool cached = QFileInfo(path).size() >= kCachedFileBytes;
  if (cached) {
    if (auto found = thumbnail_cache::Find(path, size)) return *found;
  }
  ReducedImage reduced = DecodeReduced(path, size);
  if (cached && !reduced.image.isNull()) thumbnail_cache::Store(path, size, reduced);
  return reduced;
}
