#include "imaging/reduced_image.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QSet>
#include <random>

#include "imaging/full_color_image.h"
#include "test_environment.h"

namespace {

QImage Noise(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y,
                     qRgb(x * 255 / width, (x + y) / 16 % 256 ^ (random() % 32), y * 255 / height));
  return image;
}

double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      sum += std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y))) +
             std::abs(qGreen(a.pixel(x, y)) - qGreen(b.pixel(x, y))) +
             std::abs(qBlue(a.pixel(x, y)) - qBlue(b.pixel(x, y)));
  return sum / (3.0 * a.width() * a.height());
}

TEST(LoadReducedImage, PhotoIsDecodedSmallAveragedAndKeepsItsExactCorner) {
  const QString path = testenv::ProgramDir() + "/photo.jpg";
  ASSERT_TRUE(Noise(1600, 1200, 1).save(path, "JPG", 92));
  const QImage full = LoadFullColorImage(path);
  const ReducedImage reduced = LoadReducedImage(path, QSize(70, 52));
  ASSERT_EQ(reduced.image.size(), QSize(70, 52));
  EXPECT_EQ(reduced.topLeft, full.pixel(0, 0));
  const QImage expected = full.scaled(70, 52, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_LT(MeanDifference(reduced.image, expected), 2.0);
}

TEST(LoadReducedImage, KeyedPictureIsSampledWithoutBlendingColours) {
  QImage character(90, 60, QImage::Format_RGB32);
  character.fill(qRgb(255, 0, 255));
  for (int y = 10; y < 50; ++y)
    for (int x = 20; x < 70; ++x)
      character.setPixel(x, y, x / 8 % 2 ? qRgb(0, 90, 0) : qRgb(250, 250, 0));
  const QString path = testenv::ProgramDir() + "/character.bmp";
  ASSERT_TRUE(character.save(path, "BMP"));
  const ReducedImage reduced = LoadReducedImage(path, QSize(45, 30));
  ASSERT_EQ(reduced.image.size(), QSize(45, 30));
  EXPECT_EQ(reduced.topLeft, qRgb(255, 0, 255));
  QSet<QRgb> colours;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 45; ++x) colours.insert(reduced.image.pixel(x, y));
  EXPECT_EQ(colours, (QSet<QRgb>{qRgb(255, 0, 255), qRgb(0, 90, 0), qRgb(250, 250, 0)}));
}

TEST(LoadReducedImage, LargePhotoComesBackFromTheCacheUntilTheFileChanges) {
  const QString path = testenv::ProgramDir() + "/large.jpg";
  ASSERT_TRUE(Noise(2000, 1500, 2).save(path, "JPG", 98));
  ASSERT_GT(QFile(path).size(), 1024 * 1024);
  const ReducedImage first = LoadReducedImage(path, QSize(70, 50));
  ASSERT_FALSE(first.image.isNull());

  // Same length and time, but no longer a picture: only the kept copy can answer.
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
  file.write(QByteArray(4096, 'x'));
  file.flush();
  file.setFileTime(modified, QFileDevice::FileModificationTime);
  file.close();
  const ReducedImage cached = LoadReducedImage(path, QSize(70, 50));
  EXPECT_EQ(cached.image, first.image);
  EXPECT_EQ(cached.topLeft, first.topLeft);

  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.setFileTime(modified.addSecs(5), QFileDevice::FileModificationTime);
  file.close();
  EXPECT_TRUE(LoadReducedImage(path, QSize(70, 50)).image.isNull());
}

}  // namespace
