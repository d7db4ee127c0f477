#include "skin/region_from_bitmap.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

QImage Filled(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// The key colour is taken from the bottom-left pixel.
QImage WithKey(QImage image, QColor key) {
  image.setPixelColor(0, image.height() - 1, key);
  return image;
}

TEST(RegionFromBitmap, WhiteKeyCutsOnlyPureWhite) {
  QImage image = WithKey(Filled(4, 3, QColor(254, 255, 255)), Qt::white);
  image.setPixelColor(2, 0, Qt::white);
  const auto region = RegionFromBitmap(image);
  ASSERT_TRUE(region.has_value());
  EXPECT_FALSE(region->contains(QPoint(0, 2)));
  EXPECT_FALSE(region->contains(QPoint(2, 0)));
  EXPECT_TRUE(region->contains(QPoint(1, 0)));
  EXPECT_TRUE(region->contains(QPoint(3, 0)));
  EXPECT_TRUE(region->contains(QPoint(1, 2)));
}

TEST(RegionFromBitmap, BlackKeyCutsOnlyPureBlack) {
  QImage image = WithKey(Filled(3, 3, QColor(0, 0, 1)), Qt::black);
  image.setPixelColor(1, 1, Qt::black);
  const QRegion region = *RegionFromBitmap(image);
  EXPECT_FALSE(region.contains(QPoint(1, 1)));
  EXPECT_FALSE(region.contains(QPoint(0, 2)));
  EXPECT_TRUE(region.contains(QPoint(0, 0)));
  EXPECT_TRUE(region.contains(QPoint(2, 1)));
}

TEST(RegionFromBitmap, KeyRangeReachesTwiceTheKeyCappedAt255) {
  QImage image = WithKey(Filled(3, 2, QColor(10, 10, 10)), QColor(100, 100, 100));
  image.setPixelColor(0, 0, QColor(150, 120, 200));  // every channel within [100, 200]
  image.setPixelColor(1, 0, QColor(150, 120, 201));  // blue just above the range
  image.setPixelColor(2, 0, QColor(99, 150, 150));   // red just below
  const QRegion region = *RegionFromBitmap(image);
  EXPECT_FALSE(region.contains(QPoint(0, 0)));
  EXPECT_TRUE(region.contains(QPoint(1, 0)));
  EXPECT_TRUE(region.contains(QPoint(2, 0)));

  // A bright key: 2k passes 255, so the range stops at 255.
  QImage bright = WithKey(Filled(2, 2, QColor(200, 200, 200)), QColor(200, 200, 200));
  bright.setPixelColor(1, 0, QColor(255, 255, 255));
  EXPECT_FALSE(RegionFromBitmap(bright)->contains(QPoint(1, 0)));
}

TEST(RegionFromBitmap, ManyRunsStillGiveOneRegionCoveringThemAll) {
  // A checkerboard of 120 x 120 has 7200 one-pixel runs: several batches.
  QImage image(120, 120, QImage::Format_RGB32);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 120; ++x)
      image.setPixelColor(x, y, (x + y) % 2 == 0 ? QColor(Qt::magenta) : QColor(Qt::darkGreen));
  ASSERT_EQ(image.pixelColor(0, 119), QColor(Qt::darkGreen));
  image = WithKey(image, Qt::magenta);  // make the key magenta
  const QRegion region = *RegionFromBitmap(image);
  int inside = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool isKey = image.pixelColor(x, y) == QColor(Qt::magenta);
      ASSERT_EQ(region.contains(QPoint(x, y)), !isKey) << x << "," << y;
      inside += !isKey;
    }
  }
  EXPECT_EQ(inside, 120 * 120 / 2 - 1);
}

TEST(RegionFromBitmap, RoundedPanelKeepsItsOutline) {
  QImage image = Filled(40, 30, Qt::magenta);
  QPainter painter(&image);
  painter.fillRect(5, 5, 30, 20, QColor(250, 240, 220));
  painter.end();
  const QRegion region = *RegionFromBitmap(image);
  EXPECT_EQ(region.boundingRect(), QRect(5, 5, 30, 20));
  EXPECT_TRUE(region.xored(QRegion(5, 5, 30, 20)).isEmpty());
}

TEST(RegionFromBitmap, NullBitmapGivesNoRegion) {
  EXPECT_FALSE(RegionFromBitmap(QImage()).has_value());
}

}  // namespace
