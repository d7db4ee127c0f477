// Feeds arbitrary bytes to the EXIF orientation reader, as a TIFF structure and as a JPEG
// stream, and reads JPEG photos upright the ways the program shows them: whole, small (with
// the key colour read from the stored corner that becomes the upright one) and by size.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>

#include "fuzz_input.h"
#include "imaging/exif_orientation.h"
#include "imaging/full_color_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int orientation = ExifOrientation(data, size);
  if (orientation < 1 || orientation > 8) __builtin_trap();
  if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) return 0;
  const int jpegOrientation = JpegOrientation(data, size);
  if (jpegOrientation < 1 || jpegOrientation > 8) __builtin_trap();
  if (!WorthDecoding(data, size)) return 0;
  const QImage image = DecodeFullColorImage(data, size);

  static const QString path =
      QDir::tempPath() +
      QStringLiteral("/fuzz_exif_%1.jpg").arg(QCoreApplication::applicationPid());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.close();
  const SmallPicture small = LoadSmallPicture(path, QSize(4, 4));
  // Both are the upright picture: a small one is never larger than the whole one.
  if (!image.isNull() && !small.image.isNull() &&
      (small.image.width() > image.width() || small.image.height() > image.height()))
    __builtin_trap();
  return 0;
}
