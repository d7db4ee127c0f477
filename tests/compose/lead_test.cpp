#include "compose/lead.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

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
