#include "picture_intake.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "platform/program_folder.h"
#include "platform/safe_copy.h"
#include "widgets/shell/picture_files.h"

QStringList PictureFilesIn(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = QFileInfo(url.toLocalFile()).absoluteFilePath();
    if (IsPictureFile(path)) files << path;
  }
  return files;
}

QString KeepPastedPicture(const QImage& picture) {
  if (picture.isNull()) return QString();
  const QString folder = UserDataFolder() + QStringLiteral("/pictures");
  if (!QDir().mkpath(folder)) return QString();
  const QString stem = folder + QStringLiteral("/paste-") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString path = stem + QStringLiteral(".png");
  for (int n = 2; QFileInfo::exists(path); ++n) path = stem + QStringLiteral("-%1.png").arg(n);
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) ||
      !picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG") ||
      !TryWriteFileReplacing(path, png))
    return QString();
  return path;
}
