#include "imaging/picture_pyramid.h"

#include <gtest/gtest.h>

// However far a picture is reduced, each mean stays exact: a fine checker of two colours shows
// as their mean at every size, down to a single pixel for four million.
TEST(PicturePyramid, MeansStayExactAtEveryReduction) {
  QImage checker(2048, 2048, QImage::Format_RGB32);
  for (int y = 0; y < checker.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(checker.scanLine(y));
    for (int x = 0; x < checker.width(); ++x)
      line[x] = (x + y) % 2 ? qRgb(200, 100, 50) : qRgb(100, 50, 250);
  }
  const PicturePyramid pyramid(checker);
  for (const int size : {1, 2, 5, 16, 100, 1024}) {
    QImage out(size, size, QImage::Format_RGB32);
    out.fill(Qt::black);
    pyramid.Draw(out, QRectF(0, 0, size, size), QRectF(0, 0, 2048, 2048));
    for (const QPoint at : {QPoint(0, 0), QPoint(size - 1, size / 2)})
      EXPECT_EQ(out.pixel(at), qRgb(150, 75, 150)) << size;
  }
  EXPECT_EQ(pyramid.Level(10).size(), QSize(2, 2));
  EXPECT_EQ(pyramid.Level(10).pixel(1, 1), qRgb(150, 75, 150));
}
