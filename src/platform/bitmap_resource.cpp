#include "bitmap_resource.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <cmath>

namespace {
QString ResourcePath(int id, const char* suffix = "") {
  return QStringLiteral(":/bitmaps/%1%2.png").arg(id).arg(QLatin1String(suffix));
}
}  // namespace

QImage LoadBitmapResource(int id) {
  if (id <= 0) return {};
  QImage image(ResourcePath(id));
  if (image.isNull()) return {};
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage LoadTwiceSizeBitmap(int id) {
  if (id <= 0) return {};
  const QSize size = QImageReader(ResourcePath(id)).size();
  QImage image(ResourcePath(id, "@2x"));
  // A rendering that does not match its bitmap would move every control placed on it.
  if (image.isNull() || !size.isValid() || image.size() != 2 * size) return {};
  image = image.convertToFormat(QImage::Format_RGB32);
  image.setDevicePixelRatio(2);
  return image;
}

bool ScreenUsesTwiceSize() { return qGuiApp && qGuiApp->devicePixelRatio() > 1.0; }

QImage LoadScreenBitmap(int id) {
  if (ScreenUsesTwiceSize()) {
    QImage twice = LoadTwiceSizeBitmap(id);
    if (!twice.isNull()) return twice;
  }
  return LoadBitmapResource(id);
}

QImage ScreenOnlyBitmap(int id) {
  return ScreenUsesTwiceSize() ? LoadTwiceSizeBitmap(id) : QImage();
}

QSize LogicalSize(const QImage& image) { return image.deviceIndependentSize().toSize(); }

void DrawScreenImage(QPainter& painter, const QPointF& topLeft, const QImage& image) {
  const qreal scale = painter.device()->devicePixelRatio() / image.devicePixelRatio();
  const bool oneToOne = std::abs(scale - std::round(scale)) < 1e-6;
  const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, !oneToOne);
  painter.drawImage(topLeft, image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

QIcon LoadIconResource(int id) {
  QIcon icon;
  for (const QImage& image : {LoadBitmapResource(id), LoadTwiceSizeBitmap(id)})
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}
