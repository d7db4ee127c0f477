#include "bitmap_resource.h"

#include <QString>

QImage LoadBitmapResource(int id) {
  if (id <= 0) return {};
  QImage image(QStringLiteral(":/bitmaps/%1.png").arg(id));
  if (image.isNull()) return {};
  return image.convertToFormat(QImage::Format_RGB32);
}
