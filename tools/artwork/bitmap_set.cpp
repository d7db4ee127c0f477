#include "bitmap_set.h"

#include <QDir>
#include <cstdio>
#include <stdexcept>

void BitmapSet::add(int id, const QImage& image) {
  if (images_.contains(id))
    throw std::logic_error("bitmap " + std::to_string(id) + " rendered twice");
  images_[id] = image;
}

const QImage& BitmapSet::at(int id) const { return images_.at(id); }

bool BitmapSet::saveAll(const QString& folder, const QString& suffix) const {
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
    return false;
  }
  for (const auto& [id, image] : images_) {
    const QString path = QDir(folder).filePath(QString::number(id) + suffix + ".png");
    // RGB888 keeps the files free of an alpha channel.
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return false;
    }
  }
  return true;
}
