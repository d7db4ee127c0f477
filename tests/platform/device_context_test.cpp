#include "platform/device_context.h"

#include <gtest/gtest.h>

namespace {

// A 2 x 2, 8-bit bottom-up bitmap: bottom row indices 0 1, top row 2 3.
struct TinyDib {
  std::uint8_t table[16] = {0};
  std::uint8_t bits[8] = {0, 1, 0, 0, 2, 3, 0, 0};
  DibBits Bits(int colorUse) {
    DibBits dib;
    dib.header.width = 2;
    dib.header.height = 2;
    dib.header.bitCount = 8;
    dib.header.clrUsed = 4;
    if (colorUse == DIB_PAL_COLORS) {
      for (int i = 0; i < 4; ++i) WriteLe16(table + 2 * i, static_cast<std::uint16_t>(3 - i));
    } else {
      const QRgb colors[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                              qRgb(255, 255, 255)};
      for (int i = 0; i < 4; ++i) {
        table[4 * i] = static_cast<std::uint8_t>(qBlue(colors[i]));
        table[4 * i + 1] = static_cast<std::uint8_t>(qGreen(colors[i]));
        table[4 * i + 2] = static_cast<std::uint8_t>(qRed(colors[i]));
      }
    }
    dib.colorTable = table;
    dib.colorTableBytes = sizeof table;
    dib.bits = bits;
    dib.bitsBytes = sizeof bits;
    return dib;
  }
};

TEST(Palette, NearestIndexAndStockColours) {
  EXPECT_EQ(Palette::Default().Size(), 20);
  EXPECT_EQ(Palette::Default().NearestIndex(250, 250, 250), 19);
  EXPECT_EQ(Palette::Default().NearestIndex(0, 0, 0), 0);
  const Palette twins({{5, 5, 5}, {5, 5, 5}});
  EXPECT_EQ(twins.NearestIndex(5, 5, 5), 0);  // the first of equals
  EXPECT_EQ(Palette().NearestIndex(1, 2, 3), -1);
}

TEST(DeviceContext, StretchReadsBottomUpRowsAndScales) {
  TinyDib dib;
  QImage target(4, 4, QImage::Format_RGB32);
  target.fill(Qt::black);
  DeviceContext dc(target);
  ASSERT_EQ(
      dc.StretchDIBits(0, 0, 4, 4, 0, 0, 2, 2, dib.Bits(DIB_RGB_COLORS), DIB_RGB_COLORS, SRCCOPY),
      2);
  EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 255));      // top-left: index 2
  EXPECT_EQ(target.pixel(3, 1), qRgb(255, 255, 255));  // top-right: index 3
  EXPECT_EQ(target.pixel(1, 3), qRgb(255, 0, 0));      // bottom-left: index 0
  // A source rectangle's y counts from the bottom: (0, 1, 2, 1) is the top row.
  target.fill(Qt::black);
  dc.StretchDIBits(0, 0, 2, 1, 0, 1, 2, 1, dib.Bits(DIB_RGB_COLORS), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(DeviceContext, RasterOperationsCombineChannels) {
  TinyDib dib;
  QImage target(2, 2, QImage::Format_RGB32);
  target.fill(qRgb(0x0F, 0xF0, 0x3C));
  DeviceContext dc(target);
  dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, dib.Bits(DIB_RGB_COLORS), DIB_RGB_COLORS, SRCAND);
  EXPECT_EQ(target.pixel(0, 1), qRgb(0x0F, 0, 0));        // AND red
  EXPECT_EQ(target.pixel(1, 0), qRgb(0x0F, 0xF0, 0x3C));  // AND white keeps it
  target.fill(qRgb(0x0F, 0xF0, 0x3C));
  dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, dib.Bits(DIB_RGB_COLORS), DIB_RGB_COLORS, SRCPAINT);
  EXPECT_EQ(target.pixel(0, 1), qRgb(0xFF, 0xF0, 0x3C));
  EXPECT_EQ(dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, dib.Bits(DIB_RGB_COLORS), DIB_RGB_COLORS,
                             0x12345678),
            0);
}

TEST(DeviceContext, PaletteIndicesGoThroughTheSelectedPalette) {
  TinyDib dib;
  const Palette palette({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}});
  QImage target(2, 2, QImage::Format_RGB32);
  DeviceContext dc(target);
  dc.SelectPalette(&palette);
  dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, dib.Bits(DIB_PAL_COLORS), DIB_PAL_COLORS, SRCCOPY);
  EXPECT_EQ(target.pixel(0, 1), qRgb(4, 4, 4));  // pixel 0 -> table 3 -> entry 3
  EXPECT_EQ(target.pixel(1, 0), qRgb(1, 1, 1));  // pixel 3 -> table 0
  EXPECT_EQ(dc.SelectPalette(nullptr), &palette);
  EXPECT_EQ(dc.SelectedPalette().Size(), 20);
}

TEST(DeviceContext, SetDIBitsDrawsOnlyTheScanLinesGiven) {
  TinyDib dib;
  QImage target(2, 2, QImage::Format_RGB32);
  target.fill(Qt::black);
  DeviceContext dc(target);
  // Only scan line 0 (the bottom row) is in the buffer.
  EXPECT_EQ(dc.SetDIBitsToDevice(0, 0, 2, 2, 0, 0, 0, 1, dib.Bits(DIB_RGB_COLORS), DIB_RGB_COLORS),
            1);
  EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));    // top row not drawn
  EXPECT_EQ(target.pixel(1, 1), qRgb(0, 255, 0));  // bottom row: index 1
}

TEST(DeviceContext, RefusesBitmapsItsBuffersCannotHold) {
  TinyDib dib;
  QImage target(2, 2, QImage::Format_RGB32);
  DeviceContext dc(target);
  DibBits short_ = dib.Bits(DIB_RGB_COLORS);
  short_.bitsBytes = 7;
  EXPECT_EQ(dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, short_, DIB_RGB_COLORS, SRCCOPY), 0);
  DibBits wide = dib.Bits(DIB_RGB_COLORS);
  wide.header.width = 100000;
  EXPECT_EQ(dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, wide, DIB_RGB_COLORS, SRCCOPY), 0);
  DibBits rle = dib.Bits(DIB_RGB_COLORS);
  rle.header.compression = BI_RLE8;
  EXPECT_EQ(dc.SetDIBitsToDevice(0, 0, 2, 2, 0, 0, 0, 2, rle, DIB_RGB_COLORS), 0);
}

}  // namespace
