#include "compose/lead.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "test_environment.h"

namespace {

QImage Gradient(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 10, y * 10, 100));
  return image;
}

TEST(CLead, HoldsLoadsAndMeasuresPictures) {
  const QString path = testenv::ProgramDir() + "/p.bmp";
  ASSERT_TRUE(Gradient(12, 8).save(path, "BMP"));
  CLead lead;
  EXPECT_FALSE(lead.HasBitmap());
  ASSERT_TRUE(lead.GetFileInfo(path));
  EXPECT_FLOAT_EQ(lead.InfoWidth(), 12.0f);
  EXPECT_FALSE(lead.HasBitmap());  // the size alone, nothing decoded
  ASSERT_TRUE(lead.Load(path));
  EXPECT_FLOAT_EQ(lead.BitmapHeight(), 8.0f);
  EXPECT_EQ(lead.PixelColor(3, 2), MakeColorRef(30, 20, 100));
  EXPECT_EQ(lead.PixelColor(12, 0), 0u);
  EXPECT_FALSE(lead.Load(testenv::ProgramDir() + "/missing.bmp"));
  EXPECT_TRUE(lead.HasBitmap());  // a failed load keeps the picture
  EXPECT_FALSE(lead.GetFileInfo(testenv::ProgramDir() + "/missing.bmp"));
}

TEST(CLead, ToneAppliesToWhatIsShownAndReadButNotToTheSource) {
  CLead master;
  master.SetBitmap(Gradient(4, 4));
  CLead view;
  view.CopyBitmapFrom(master);
  view.AdjustTone(100);  // +26 levels
  EXPECT_EQ(view.PixelColor(1, 1), MakeColorRef(36, 36, 126));
  view.AdjustTone(-100);
  EXPECT_EQ(view.PixelColor(1, 1), MakeColorRef(10, 10, 100));
  view.AdjustTone(300);
  EXPECT_EQ(view.Bitmap().pixel(0, 0), qRgb(77, 77, 177));
  EXPECT_EQ(master.PixelColor(1, 1), MakeColorRef(10, 10, 100));
  EXPECT_EQ(master.Bitmap().pixel(0, 0), qRgb(0, 0, 100));
  // A fill replaces the copy only.
  view.Fill(0xFFFFFF);
  EXPECT_EQ(view.PixelColor(2, 2), 0xFFFFFFu);
  EXPECT_EQ(master.PixelColor(2, 2), MakeColorRef(20, 20, 100));
}

TEST(CLead, ShowsTheSourceRectangleScaledIntoTheDestination) {
  CLead lead;
  lead.resize(8, 8);
  lead.SetFlat(true);
  lead.SetBitmap(Gradient(4, 4));
  lead.SetDestinationRect(QRectF(0, 0, 8, 8));
  lead.SetSourceRect(QRectF(2, 2, 2, 2));
  const QImage face = lead.RenderFace();
  EXPECT_EQ(face.pixel(0, 0), qRgb(20, 20, 100));
  EXPECT_EQ(face.pixel(7, 7), qRgb(30, 30, 100));
  // Outside the picture the background shows.
  lead.SetBackgroundColor(MakeColorRef(1, 2, 3));
  lead.SetSourceRect(QRectF(2, 2, 4, 4));
  EXPECT_EQ(lead.RenderFace().pixel(7, 7), qRgb(1, 2, 3));
}

// Each shown pixel is the mean of the picture area it covers, edges weighted by how much of them
// it covers: a picture of single-pixel stripes shown at two thirds of its width mixes them evenly
// where sampling single pixels would show pure stripes.
TEST(CLead, ShrunkPictureShowsTheMeanOfTheAreaEachPixelCovers) {
  QImage stripes(6, 2, QImage::Format_RGB32);
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 2; ++y) stripes.setPixel(x, y, x % 2 ? qRgb(0, 0, 0) : qRgb(240, 60, 0));
  CLead lead;
  lead.resize(4, 1);
  lead.SetFlat(true);
  lead.SetBitmap(stripes);
  lead.SetDestinationRect(QRectF(0, 0, 4, 1));
  const QImage face = lead.RenderFace();
  // Pixel 0 covers stripe 0 and half of stripe 1; pixel 1 half of 1 and all of 2.
  EXPECT_EQ(face.pixel(0, 0), qRgb(160, 40, 0));
  EXPECT_EQ(face.pixel(1, 0), qRgb(160, 40, 0));
  EXPECT_EQ(face.pixel(2, 0), qRgb(80, 20, 0));

  // A large detailed picture shown small: every pixel near the exact mean of its area, although
  // the means come from a reduced copy (whose last blocks, at the picture's edges, are partial).
  QImage large(1003, 701, QImage::Format_RGB32);
  for (int y = 0; y < large.height(); ++y)
    for (int x = 0; x < large.width(); ++x)
      large.setPixel(x, y,
                     qRgb(x / 4, 128 + static_cast<int>(60 * std::sin(x / 5.0 + y / 9.0)),
                          (x * y / 50 + (x % 3) * 15) % 256));
  lead.resize(96, 91);
  lead.SetBitmap(large);
  lead.SetDestinationRect(QRectF(0, 0, 96, 91));
  const QRectF source(103, 61, 900, 640);  // to the right and bottom edges
  lead.SetSourceRect(source);
  const QImage shown = lead.RenderFace();
  const double sx = source.width() / 96, sy = source.height() / 91;
  for (const QPoint at : {QPoint(0, 0), QPoint(50, 40), QPoint(95, 90), QPoint(17, 83)}) {
    double sum[3] = {}, total = 0;
    const double x0 = source.left() + at.x() * sx, y0 = source.top() + at.y() * sy;
    for (int py = static_cast<int>(y0); py < y0 + sy; ++py)
      for (int px = static_cast<int>(x0); px < x0 + sx; ++px) {
        const double w = (std::min(x0 + sx, px + 1.0) - std::max(x0, double(px))) *
                         (std::min(y0 + sy, py + 1.0) - std::max(y0, double(py)));
        const QRgb c = large.pixel(px, py);
        sum[0] += w * qRed(c);
        sum[1] += w * qGreen(c);
        sum[2] += w * qBlue(c);
        total += w;
      }
    const QRgb c = shown.pixel(at);
    EXPECT_NEAR(qRed(c), sum[0] / total, 4) << at.x() << "," << at.y();
    EXPECT_NEAR(qGreen(c), sum[1] / total, 4) << at.x() << "," << at.y();
    EXPECT_NEAR(qBlue(c), sum[2] / total, 4) << at.x() << "," << at.y();
  }
}

// Enlarged, pixels stay whole except where a shown pixel straddles two of them.
TEST(CLead, EnlargedPictureMixesOnlyWherePixelsMeet) {
  QImage two(2, 1, QImage::Format_RGB32);
  two.setPixel(0, 0, qRgb(200, 0, 0));
  two.setPixel(1, 0, qRgb(0, 0, 100));
  CLead lead;
  lead.resize(3, 1);
  lead.SetFlat(true);
  lead.SetBitmap(two);
  lead.SetDestinationRect(QRectF(0, 0, 3, 1));
  const QImage face = lead.RenderFace();
  EXPECT_EQ(face.pixel(0, 0), qRgb(200, 0, 0));
  EXPECT_EQ(face.pixel(1, 0), qRgb(100, 0, 50));
  EXPECT_EQ(face.pixel(2, 0), qRgb(0, 0, 100));
}

// An overlay shown smaller keeps its key colour exact: no mean mixes it into the picture.
TEST(CLead, ShrunkOverlayKeepsItsKeyColourExact) {
  QImage character(40, 40, QImage::Format_RGB32);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      character.setPixel(x, y, (x + y) % 3 ? qRgb(255, 0, 255) : qRgb(10, 200, 30));
  CLead lead;
  lead.resize(15, 15);
  lead.SetFlat(true);
  lead.SetBitmap(character);
  lead.SetTransparentColor(lead.PixelColor(0, 1));
  lead.SetTransparent(true);
  const QImage face = lead.RenderFace();
  int clear = 0, drawn = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      const QRgb c = face.pixel(x, y);
      if (qAlpha(c) == 0) {
        ++clear;
      } else {
        EXPECT_EQ(c, qRgb(10, 200, 30)) << x << "," << y;
        ++drawn;
      }
    }
  EXPECT_GT(clear, 0);
  EXPECT_GT(drawn, 0);
}

TEST(CLead, SavesGifsOfTheFourDepthsOnly) {
  CLead lead;
  EXPECT_FALSE(lead.SaveGif(testenv::ProgramDir() + "/none.gif", 8));
  lead.SetBitmap(Gradient(20, 10));
  lead.AdjustTone(100);
  for (int bits : {8, 5}) {
    const QString path = testenv::ProgramDir() + QString("/g%1.gif").arg(bits);
    ASSERT_TRUE(lead.SaveGif(path, bits));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 13);
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    EXPECT_EQ(bytes[10] & 7, bits - 1);  // the table size
    // The picture as shown, tone included: its 200 colours fit 256 entries exactly.
    CLead back;
    ASSERT_TRUE(back.Load(path));
    if (bits == 8) {
      EXPECT_EQ(back.Bitmap(), lead.Bitmap());
    }
  }
  EXPECT_FALSE(lead.SaveGif(testenv::ProgramDir() + "/g4.gif", 4));
  EXPECT_FALSE(QFile::exists(testenv::ProgramDir() + "/g4.gif"));
  EXPECT_FALSE(lead.SaveGif(testenv::ProgramDir() + "/missing/g.gif", 8));
}

TEST(CLead, KeyColourPixelsAreClear) {
  QImage picture(2, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 0, 255));
  picture.setPixel(1, 0, qRgb(0, 0, 0));
  CLead lead;
  lead.resize(2, 1);
  lead.SetFlat(true);
  lead.SetBitmap(picture);
  lead.SetTransparentColor(lead.PixelColor(0, 0));
  lead.SetTransparent(true);
  const QImage face = lead.RenderFace();
  EXPECT_EQ(qAlpha(face.pixel(0, 0)), 0);
  EXPECT_EQ(face.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(CLead, ReportsMouseAndKeysInControlTerms) {
  CLead lead;
  lead.resize(20, 20);
  lead.show();
  QSignalSpy down(&lead, &CLead::MouseDown);
  QSignalSpy up(&lead, &CLead::MouseUp);
  QSignalSpy clicked(&lead, &CLead::Clicked);
  QSignalSpy keys(&lead, &CLead::KeyDown);
  QTest::mouseClick(&lead, Qt::RightButton, Qt::ShiftModifier, QPoint(7, 9));
  ASSERT_EQ(down.count(), 1);
  EXPECT_EQ(down[0][0].toInt(), 2);
  EXPECT_EQ(down[0][1].toInt(), 1);
  EXPECT_FLOAT_EQ(down[0][2].toFloat(), 7.0f);
  EXPECT_FLOAT_EQ(down[0][3].toFloat(), 9.0f);
  EXPECT_EQ(up.count(), 1);
  EXPECT_EQ(clicked.count(), 0);  // only the left button clicks
  QTest::mouseClick(&lead, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(clicked.count(), 1);
  QTest::keyClick(&lead, Qt::Key_Delete);
  ASSERT_EQ(keys.count(), 1);
  EXPECT_EQ(keys[0][0].toInt(), 46);
  lead.SetMousePointer(CLead::kPointerSizeAll);
  EXPECT_EQ(lead.cursor().shape(), Qt::SizeAllCursor);
}

}  // namespace
