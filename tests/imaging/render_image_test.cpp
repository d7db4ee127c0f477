#include "imaging/render_image.h"

#include <gtest/gtest.h>

#include <QFile>

#include "bmp_builder.h"
#include "test_environment.h"

namespace {

// A 4 x 2 picture: left half red, right half blue; bottom row lighter.
QString WritePicture() {
  BmpBuilder b;
  b.width = 4;
  b.height = 2;
  b.values = {qRgb(255, 0, 0),     qRgb(255, 0, 0),     qRgb(0, 0, 255),     qRgb(0, 0, 255),
              qRgb(255, 128, 128), qRgb(255, 128, 128), qRgb(128, 128, 255), qRgb(128, 128, 255)};
  const QString path = testenv::ProgramDir() + "/pic.bmp";
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(b.Build());
  return path;
}

TEST(RenderImageFileScaled, StretchesTheWholePictureToThePercentage) {
  const DibSection half = RenderImageFileScaled(WritePicture(), 50);
  ASSERT_FALSE(half.IsNull());
  EXPECT_EQ(half.Image().size(), QSize(2, 1));
  EXPECT_EQ(half.Image().pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(half.Image().pixel(1, 0), qRgb(0, 0, 255));

  const DibSection doubled = RenderImageFileScaled(WritePicture(), 200);
  ASSERT_EQ(doubled.Image().size(), QSize(8, 4));
  EXPECT_EQ(doubled.Image().pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(doubled.Image().pixel(7, 3), qRgb(128, 128, 255));
}

TEST(RenderImageFileScaled, NothingForUnreadableFilesOrNoSize) {
  EXPECT_TRUE(RenderImageFileScaled(testenv::ProgramDir() + "/missing.bmp", 100).IsNull());
  EXPECT_TRUE(RenderImageFileScaled(WritePicture(), 0).IsNull());
  EXPECT_TRUE(RenderImageFileScaled(WritePicture(), 10).IsNull());  // 0 x 0 pixels
}

TEST(RenderImageFile, DrawsOneLargerOnWhiteAtTheOffset) {
  const DibSection shot = RenderImageFile(WritePicture(), 1, 1);
  ASSERT_FALSE(shot.IsNull());
  EXPECT_EQ(shot.Image().size(), QSize(5, 3));
  EXPECT_EQ(shot.Image().pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(shot.Image().pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(shot.Image().pixel(4, 2), qRgb(0, 0, 255));
}

}  // namespace
