// Writes small HEIC, AVIF, WebP and EXIF files for the fuzz targets' seed folders:
//   make_photo_seeds <fuzz/seeds>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "photo_files.h"

namespace {

bool Write(const QString& folder, const QString& name, const QByteArray& bytes) {
  if (bytes.isEmpty() || !QDir().mkpath(folder)) return false;
  QFile file(folder + "/" + name);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Jpeg(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "JPG", 85);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_photo_seeds <seeds folder>\n");
    return 2;
  }
  const QString seeds = QString::fromLocal8Bit(argv[1]);
  const QImage picture = QuadrantPicture(48, 32);
  QImage translucent = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 16; ++x) translucent.setPixel(x, y, qRgba(x * 16, y * 8, 90, x * 16));
  const QImage stored = StoredForOrientation(picture, 6);

  bool ok = true;
  const QString heic = seeds + "/heic";
  ok &= Write(heic, "plain.heic", EncodeHeif(picture, HeifCodec::kHevc, 60));
  ok &= Write(heic, "turned_with_exif.heic",
              EncodeHeif(stored, HeifCodec::kHevc, 60, 6, ExifTiff(6)));
  ok &= Write(heic, "mirrored.heic", EncodeHeif(picture, HeifCodec::kHevc, 60, 2));
  ok &= Write(heic, "alpha.heic", EncodeHeif(translucent, HeifCodec::kHevc, 60));
  ok &= Write(heic, "plain.avif", EncodeHeif(picture, HeifCodec::kAv1, 60));
  ok &= Write(heic, "turned.avif", EncodeHeif(stored, HeifCodec::kAv1, 60, 6));

  const QString webp = seeds + "/webp";
  ok &= Write(webp, "lossy.webp", EncodeWebp(picture, false, 70));
  ok &= Write(webp, "lossless.webp", EncodeWebp(picture, true));
  ok &= Write(webp, "alpha_lossy.webp", EncodeWebp(translucent, false, 70));
  ok &= Write(webp, "alpha_lossless.webp", EncodeWebp(translucent, true));
  ok &= Write(webp, "turned_exif.webp", EncodeWebp(stored, true, 90, ExifTiff(6, true)));
  ok &= Write(webp, "animated.webp", EncodeAnimatedWebp({picture, translucent}));

  const QString exif = seeds + "/exif";
  ok &= Write(exif, "intel_6.tif", ExifTiff(6));
  ok &= Write(exif, "motorola_8.tif", ExifTiff(8, true));
  ok &= Write(exif, "prefixed_5.exif", QByteArray("Exif\0\0", 6) + ExifTiff(5));
  ok &= Write(exif, "photo_7.jpg",
              WithExifSegment(Jpeg(StoredForOrientation(picture, 7)), ExifTiff(7)));
  if (!ok) std::fprintf(stderr, "a seed could not be made\n");
  return ok ? 0 : 1;
}
