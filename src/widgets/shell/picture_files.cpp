#include "picture_files.h"

#include <QFileInfo>
#include <QStringList>

bool IsPictureFile(const QString& path) {
  static const QStringList kSuffixes = {"bmp",  "gif",  "jpg",  "jpeg", "png",
                                        "heic", "heif", "avif", "webp"};
  const QFileInfo info(path);
  // The name costs no I/O; only picture names go on to the file system.
  if (!kSuffixes.contains(info.suffix().toLower())) return false;
  return info.isFile() && info.isReadable();
}
