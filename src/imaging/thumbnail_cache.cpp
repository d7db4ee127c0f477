#include "thumbnail_cache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/program_folder.h"

namespace thumbnail_cache {
namespace {

constexpr int kMaxEntries = 300;
const QString kKeyText = QStringLiteral("Quillora-TopLeft");

QString Folder() { return UserCacheFolder() + QStringLiteral("/thumbnails"); }

// Entries made by readers that showed a file differently are never found again.
constexpr int kReaderVersion = 2;  // 2: photos are turned upright

// The entry's name stands for the file as it is now: path, length, time and the size wanted.
QString EntryPath(const QString& path, QSize size) {
  const QFileInfo info(path);
  if (!info.isFile()) return QString();
  const QString identity = QStringLiteral("%1\n%2\n%3\n%4x%5\n%6")
                               .arg(info.absoluteFilePath())
                               .arg(info.size())
                               .arg(info.lastModified().toMSecsSinceEpoch())
                               .arg(size.width())
                               .arg(size.height())
                               .arg(kReaderVersion);
  const QByteArray hash = QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1);
  return Folder() + QLatin1Char('/') + QString::fromLatin1(hash.toHex()) + QStringLiteral(".png");
}

void DropOldestEntries(const QDir& folder) {
  const QFileInfoList entries =
      folder.entryInfoList({QStringLiteral("*.png")}, QDir::Files, QDir::Time | QDir::Reversed);
  for (qsizetype i = 0; i + kMaxEntries < entries.size(); ++i)
    QFile::remove(entries[i].absoluteFilePath());
}

}  // namespace

std::optional<ReducedImage> Find(const QString& path, QSize size) {
  const QString entry = EntryPath(path, size);
  if (entry.isEmpty() || !QFileInfo::exists(entry)) return std::nullopt;
  QImage image(entry, "PNG");
  bool keyRead = false;
  const QRgb topLeft = image.text(kKeyText).toUInt(&keyRead, 16);
  if (image.size() != size || !keyRead) return std::nullopt;
  return ReducedImage{image.convertToFormat(QImage::Format_RGB32), topLeft | 0xFF000000u};
}

void Store(const QString& path, QSize size, const ReducedImage& reduced) {
  const QString entry = EntryPath(path, size);
  if (entry.isEmpty() || reduced.image.size() != size) return;
  QDir folder(Folder());
  if (!folder.mkpath(QStringLiteral("."))) return;
  QImage image = reduced.image;
  image.setText(kKeyText, QString::number(reduced.topLeft & 0xFFFFFFu, 16));
  QSaveFile file(entry);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) return;
  DropOldestEntries(folder);
}

}  // namespace thumbnail_cache
