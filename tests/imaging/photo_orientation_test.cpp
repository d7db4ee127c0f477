#include <gtest/gtest.h>

#include <vector>

#include "codec_reference.h"
#include "imaging/exif_orientation.h"
#include "imaging/full_color_image.h"
#include "photo_files.h"

namespace {

QByteArray EncodeJpeg(const QImage& picture, int quality) {
  RawImage raw;
  raw.width = picture.width();
  raw.height = picture.height();
  raw.components = 3;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      raw.samples.insert(raw.samples.end(), {static_cast<std::uint8_t>(qRed(pixel)),
                                             static_cast<std::uint8_t>(qGreen(pixel)),
                                             static_cast<std::uint8_t>(qBlue(pixel))});
    }
  return EncodeJpegWithLibjpeg(raw, quality);
}

// Exactly `size` bytes on the heap, so that a read past them is caught by the sanitizer.
int OrientationOf(const QByteArray& bytes, int size, bool jpeg = false) {
  const std::vector<std::uint8_t> copy(bytes.begin(), bytes.begin() + size);
  return jpeg ? JpegOrientation(copy.data(), copy.size())
              : ExifOrientation(copy.data(), copy.size());
}

// A camera's JPEG (4:2:0) of each orientation shows the same upright picture on the canvas and
// in its thumbnail, whose key colour is the upright picture's corner; sizes are upright ones.
TEST(PhotoOrientation, JpegShowsUprightInEveryOrientation) {
  const QImage upright = QuadrantPicture(128, 64);
  const QImage smallUpright =
      upright.scaled(16, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const QByteArray jpeg = EncodeJpeg(StoredForOrientation(upright, orientation), 95);
    const QString path = WriteTestFile(
        "photo.jpg", WithExifSegment(jpeg, ExifTiff(orientation, orientation % 2 == 0)));
    const QImage full = LoadFullColorImage(path);
    ASSERT_EQ(full.size(), upright.size()) << orientation;
    EXPECT_EQ(full.format(), QImage::Format_RGB32);
    EXPECT_LT(MeanDifference(full, upright), 6.0) << orientation;
    EXPECT_EQ(ReadImageFileSize(path), QSize(128, 64)) << orientation;

    const SmallPicture small = LoadSmallPicture(path, QSize(16, 8));  // decoded at 1/8
    ASSERT_EQ(small.image.size(), QSize(16, 8)) << orientation;
    EXPECT_LT(MeanDifference(small.image, smallUpright), 6.0) << orientation;
    EXPECT_EQ(small.topLeft, full.pixel(0, 0)) << orientation;
    EXPECT_TRUE(small.photo);
  }
}

TEST(ExifOrientation, ReadsOnlyAWholeValidEntryInsideTheBytes) {
  const QByteArray intel = ExifTiff(6);
  const QByteArray motorola = ExifTiff(8, true);
  EXPECT_EQ(OrientationOf(intel, intel.size()), 6);
  EXPECT_EQ(OrientationOf(motorola, motorola.size()), 8);
  const QByteArray prefixed = QByteArray("Exif\0\0", 6) + motorola;
  EXPECT_EQ(OrientationOf(prefixed, prefixed.size()), 8);
  // The orientation value ends at byte 32: any shorter cut loses it.
  for (int size = 0; size < intel.size(); ++size)
    EXPECT_EQ(OrientationOf(intel, size), size >= 32 ? 6 : 1) << size;

  auto patched = [](QByteArray bytes, int at, const QByteArray& with) {
    return bytes.replace(at, with.size(), with);
  };
  const QByteArray noOrientation = patched(intel, 22, QByteArray("\x13\x01", 2));
  const std::pair<const char*, QByteArray> damaged[] = {
      {"byte order", patched(intel, 0, "XX")},
      {"magic number", patched(intel, 2, QByteArray("\x2B\0", 2))},
      {"directory past the end", patched(intel, 4, "\xF0\xFF\xFF\xFF")},
      {"no orientation entry", noOrientation},
      {"more entries than bytes", patched(noOrientation, 8, "\xFF\xFF")},
      {"value 0", patched(intel, 30, QByteArray("\0\0", 2))},
      {"value 9", patched(intel, 30, QByteArray("\x09\0", 2))},
      {"type ASCII", patched(intel, 24, QByteArray("\x02\0", 2))},
      {"count 2", patched(intel, 26, QByteArray("\x02\0\0\0", 4))},
  };
  for (const auto& [name, bytes] : damaged)
    EXPECT_EQ(OrientationOf(bytes, bytes.size()), 1) << name;
}

TEST(ExifOrientation, JpegTakesTheFirstExifSegmentBeforeTheFirstScan) {
  const QByteArray jpeg = EncodeJpeg(QuadrantPicture(16, 16), 90);
  const QByteArray rotated = WithExifSegment(jpeg, ExifTiff(6));
  EXPECT_EQ(OrientationOf(jpeg, jpeg.size(), true), 1);
  EXPECT_EQ(OrientationOf(rotated, rotated.size(), true), 6);

  // Another APP1 segment (XMP) in front is passed over; a second EXIF segment is not read.
  const int app0End =
      4 + ((static_cast<std::uint8_t>(jpeg[4]) << 8) | static_cast<std::uint8_t>(jpeg[5]));
  const QByteArray xmp = QByteArray("\xFF\xE1\x00\x0A", 4) + "http://n";
  const QByteArray behindXmp = rotated.left(app0End) + xmp + rotated.mid(app0End);
  EXPECT_EQ(OrientationOf(behindXmp, behindXmp.size(), true), 6);
  const QByteArray twice = WithExifSegment(rotated, ExifTiff(3));
  EXPECT_EQ(OrientationOf(twice, twice.size(), true), 3);

  const int segmentEnd = rotated.indexOf("Exif") + 6 + static_cast<int>(ExifTiff(6).size());
  for (int size : {0, 3, 20, segmentEnd - 1})
    EXPECT_EQ(OrientationOf(rotated, size, true), 1) << size;
  EXPECT_EQ(OrientationOf(rotated, segmentEnd, true), 6);

  const QByteArray exifSegment = WithExifSegment(QByteArray("\xFF\xD8", 2), ExifTiff(6)).mid(2);
  const QByteArray afterScan = jpeg.left(jpeg.size() - 2) + exifSegment + jpeg.right(2);
  EXPECT_EQ(OrientationOf(afterScan, afterScan.size(), true), 1);
}

}  // namespace
