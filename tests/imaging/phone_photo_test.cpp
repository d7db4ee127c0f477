#include <gtest/gtest.h>

#include "codec_reference.h"
#include "imaging/full_color_image.h"
#include "photo_files.h"

namespace {

const QRgb kBackground = qRgb(31, 127, 255);

// Left third transparent, middle third half covered, right third opaque.
QImage HalfTransparent(int width, int height) {
  QImage image = QuadrantPicture(width, height).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width * 2 / 3; ++x) {
      const QRgb pixel = image.pixel(x, y);
      image.setPixel(x, y,
                     qRgba(qRed(pixel), qGreen(pixel), qBlue(pixel), x < width / 3 ? 0 : 128));
    }
  return image;
}

QRgb Blend(QRgb over, int alpha) {
  auto mix = [alpha](int a, int b) { return (a * alpha + b * (255 - alpha) + 127) / 255; };
  return qRgb(mix(qRed(over), qRed(kBackground)), mix(qGreen(over), qGreen(kBackground)),
              mix(qBlue(over), qBlue(kBackground)));
}

int Distance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

// HEIC and AVIF (both decoded by Debian's libheif) stored turned, with irot saying so and the
// EXIF data saying so too: the picture is turned once. The size comes from the boxes alone.
TEST(HeifFiles, OpenUprightWithTheirPixels) {
  const QImage upright = QuadrantPicture(96, 64);
  for (const HeifCodec codec : {HeifCodec::kHevc, HeifCodec::kAv1}) {
    const char* name = codec == HeifCodec::kHevc ? "heic" : "avif";
    const QByteArray exif = ExifTiff(6);
    const QByteArray file = EncodeHeif(StoredForOrientation(upright, 6), codec, 90, 6, exif);
    ASSERT_FALSE(file.isEmpty()) << name;
    ASSERT_TRUE(file.contains(exif)) << name;
    const QString path = WriteTestFile(QStringLiteral("photo.") + name, file);
    const QImage image = LoadFullColorImage(path);
    ASSERT_EQ(image.size(), upright.size()) << name;
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_LT(MeanDifference(image, upright), 4.0) << name;
    EXPECT_EQ(ReadImageFileSize(path), upright.size()) << name;
    const SmallPicture small = LoadSmallPicture(path, QSize(24, 16));
    EXPECT_TRUE(small.photo);
    EXPECT_EQ(small.image, image);
    EXPECT_EQ(small.topLeft, image.pixel(0, 0));

    // The coded picture wiped: the size still reads from the boxes, the picture does not.
    QByteArray wiped = file;
    const int coded = file.indexOf("mdat") + 4;
    wiped.replace(coded, file.size() - coded, QByteArray(file.size() - coded, '\0'));
    const QString damaged = WriteTestFile("damaged.heic", wiped);
    EXPECT_EQ(ReadImageFileSize(damaged), upright.size()) << name;
    EXPECT_TRUE(LoadFullColorImage(damaged).isNull()) << name;
    EXPECT_TRUE(LoadFullColorImage(WriteTestFile("cut.heic", file.left(coded))).isNull()) << name;
  }

  const QImage translucent = HalfTransparent(96, 64);
  const QImage shown = LoadFullColorImage(
      WriteTestFile("alpha.heic", EncodeHeif(translucent, HeifCodec::kHevc, 95)));
  ASSERT_EQ(shown.size(), translucent.size());
  for (const QPoint at : {QPoint(5, 5), QPoint(45, 50), QPoint(90, 10)}) {
    const QRgb pixel = translucent.pixel(at);
    EXPECT_LE(Distance(shown.pixel(at), Blend(pixel, qAlpha(pixel))), 10) << at.x();
  }
  EXPECT_TRUE(
      DecodeFullColorImage(reinterpret_cast<const std::uint8_t*>("\0\0\0\x18"
                                                                 "ftypheic\0\0\0\0mif1heic"),
                           24)
          .isNull());
}

TEST(WebpFiles, OpenUprightWithTheirPixels) {
  const QImage upright = QuadrantPicture(96, 64);
  const QByteArray lossy = EncodeWebp(upright, false, 90);
  const QString lossyPath = WriteTestFile("photo.webp", lossy);
  const QImage decoded = LoadFullColorImage(lossyPath);
  EXPECT_LT(MeanDifference(decoded, upright), 4.0);
  EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
  EXPECT_TRUE(LoadSmallPicture(lossyPath, QSize(24, 16)).photo);

  // Lossless, and turned by the orientation of an EXIF chunk.
  const QString turned = WriteTestFile(
      "turned.webp", EncodeWebp(StoredForOrientation(upright, 8), true, 90, ExifTiff(8, true)));
  EXPECT_EQ(LoadFullColorImage(turned), upright);
  EXPECT_EQ(ReadImageFileSize(turned), upright.size());
  const SmallPicture small = LoadSmallPicture(turned, QSize(24, 16));
  EXPECT_FALSE(small.photo);
  EXPECT_EQ(small.topLeft, upright.pixel(0, 0));

  const QImage translucent = HalfTransparent(96, 64);
  const QImage shown =
      LoadFullColorImage(WriteTestFile("alpha.webp", EncodeWebp(translucent, true)));
  ASSERT_EQ(shown.size(), translucent.size());
  for (const QPoint at : {QPoint(5, 5), QPoint(45, 50), QPoint(90, 10)}) {
    const QRgb pixel = translucent.pixel(at);
    EXPECT_LE(Distance(shown.pixel(at), Blend(pixel, qAlpha(pixel))), 1) << at.x();
  }

  // An animation shows its first frame.
  const QImage second = StoredForOrientation(upright, 3);
  EXPECT_EQ(LoadFullColorImage(WriteTestFile("moving.webp", EncodeAnimatedWebp({upright, second}))),
            upright);

  // Cut behind the headers: the size reads, the picture does not.
  const QString cut = WriteTestFile("cut.webp", lossy.left(40));
  EXPECT_EQ(ReadImageFileSize(cut), upright.size());
  EXPECT_TRUE(LoadFullColorImage(cut).isNull());
}

}  // namespace
