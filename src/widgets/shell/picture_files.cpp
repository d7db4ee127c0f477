#include "picture_files.h"

#include <QFileInfo>
#include <QStringList>

bool IsPictureFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable()) return false;
  static const QStringList kSuffixes = {"bmp",  "gif",  "jpg",  "jpeg", "png",
                                        "heic", "heif", "avif", "webp"};
  return kSuffixes.contains(info.suffix().toLower());
}
