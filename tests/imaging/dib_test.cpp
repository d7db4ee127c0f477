#include "imaging/dib.h"

#include <gtest/gtest.h>

namespace {

QRgb EntryAt(const PackedDib& dib, int i) {
  const std::uint8_t* q = dib.ColorTable() + 4 * i;
  return qRgb(q[2], q[1], q[0]);
}

TEST(NewDib, EightBitsGetSixteenBlocksOfTheVgaColours) {
  const PackedDibPtr dib = NewDib(8, 10, 3);
  ASSERT_TRUE(dib);
  const BitmapInfoHeader h = dib->Header();
  EXPECT_EQ(h.clrUsed, 256u);
  EXPECT_EQ(h.sizeImage, 12u * 3);
  EXPECT_EQ(dib->PixelOffset(), 40u + 1024u);
  for (int block = 0; block < 16; ++block) {
    EXPECT_EQ(EntryAt(*dib, block * 16 + 0), qRgb(0, 0, 0));
    EXPECT_EQ(EntryAt(*dib, block * 16 + 1), qRgb(0x80, 0, 0));
    EXPECT_EQ(EntryAt(*dib, block * 16 + 7), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(EntryAt(*dib, block * 16 + 12), qRgb(0, 0, 0xFF));
    EXPECT_EQ(EntryAt(*dib, block * 16 + 15), qRgb(0xFF, 0xFF, 0xFF));
  }
  EXPECT_EQ(DibColorCount(*dib), 256);
}

TEST(NewDib, TwentyFourBitsHaveNoColoursAndAZeroArea) {
  const PackedDibPtr dib = NewDib(24, 5, 4);
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->Header().clrUsed, 0u);
  EXPECT_EQ(dib->Size(), 40u + 1024u + 16u * 4);
  EXPECT_TRUE(
      std::all_of(dib->Data() + 40, dib->Data() + dib->Size(), [](auto b) { return b == 0; }));
  EXPECT_EQ(DibColorCount(*dib), 0);
  EXPECT_EQ(NewDib(4, 3, 3)->Header().clrUsed, 16u);
}

TEST(NewDib, RefusesImpossibleSizes) {
  EXPECT_FALSE(NewDib(8, 0, 5));
  EXPECT_FALSE(NewDib(8, 5, -1));
  EXPECT_FALSE(NewDib(7, 5, 5));
  EXPECT_FALSE(NewDib(32, 16385, 1));
  EXPECT_FALSE(NewDib(32, 16384, 16384));  // 1 GiB
}

TEST(SetDibColorTable, WritesIndicesOrColoursAndLeavesMasks) {
  const PackedDibPtr dib = NewDib(8, 2, 2);
  const Palette palette({{10, 20, 30}, {40, 50, 60}});
  ASSERT_EQ(SetDibColorTable(dib.get(), &palette, 1), 1);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(ReadLe16(dib->ColorTable() + 2 * i), i);
  ASSERT_EQ(SetDibColorTable(dib.get(), &palette, 0), 1);
  EXPECT_EQ(EntryAt(*dib, 0), qRgb(10, 20, 30));
  EXPECT_EQ(EntryAt(*dib, 1), qRgb(40, 50, 60));
  SetDibColorTable(dib.get(), nullptr, 0);  // the stock palette
  EXPECT_EQ(EntryAt(*dib, 8), qRgb(192, 220, 192));
  EXPECT_EQ(EntryAt(*dib, 19), qRgb(255, 255, 255));
  EXPECT_EQ(SetDibColorTable(nullptr, &palette, 0), 0);

  PackedDib fields(40 + 12 + 8);
  BitmapInfoHeader h;
  h.width = 2;
  h.height = 1;
  h.bitCount = 32;
  h.compression = BI_BITFIELDS;
  h.clrUsed = 3;
  fields.SetHeader(h);
  WriteLe32(fields.ColorTable(), 0xFF0000);
  EXPECT_EQ(SetDibColorTable(&fields, &palette, 1), 1);
  EXPECT_EQ(ReadLe32(fields.ColorTable()), 0xFF0000u);
}

TEST(PaletteFromDib, TakesTheTableOrNothing) {
  const PackedDibPtr eight = NewDib(8, 2, 2);
  const auto palette = PaletteFromDib(*eight, 0);
  ASSERT_TRUE(palette);
  EXPECT_EQ(palette->Size(), 256);
  EXPECT_EQ(palette->Entries()[9], (PaletteEntry{0xFF, 0, 0, 0}));
  EXPECT_FALSE(PaletteFromDib(*NewDib(24, 2, 2), 0));
}

TEST(DibFromScreenBitmap, CapturesBottomUpThirtyTwoBitRows) {
  QImage screen(3, 2, QImage::Format_RGB32);
  screen.setPixel(0, 0, qRgb(255, 0, 0));  // top-left
  screen.setPixel(2, 1, qRgb(1, 2, 3));    // bottom-right
  const PackedDibPtr dib = DibFromScreenBitmap(screen, BI_RGB, 0, nullptr);
  ASSERT_TRUE(dib);
  const BitmapInfoHeader h = dib->Header();
  EXPECT_EQ(h.bitCount, 32);
  EXPECT_EQ(h.height, 2);
  EXPECT_EQ(h.sizeImage, 24u);
  const std::uint8_t* bottomRight = dib->Pixels() + 2 * 4;
  EXPECT_EQ(bottomRight[0], 3);
  EXPECT_EQ(bottomRight[2], 1);
  const std::uint8_t* topLeft = dib->Pixels() + 12;
  EXPECT_EQ(topLeft[2], 255);
  EXPECT_EQ(topLeft[0], 0);
}

TEST(DibFromScreenBitmap, PaletteDepthsTakeTheNearestColour) {
  QImage screen(2, 1, QImage::Format_RGB32);
  screen.setPixel(0, 0, qRgb(250, 250, 250));
  screen.setPixel(1, 0, qRgb(10, 0, 120));
  const PackedDibPtr dib = DibFromScreenBitmap(screen, BI_RGB, 8, nullptr);
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->Pixels()[0], 19);  // white in the stock palette
  EXPECT_EQ(dib->Pixels()[1], 4);   // dark blue
  EXPECT_EQ(EntryAt(*dib, 19), qRgb(255, 255, 255));
  EXPECT_FALSE(DibFromScreenBitmap(QImage(), BI_RGB, 0, nullptr));
  EXPECT_FALSE(DibFromScreenBitmap(screen, BI_RLE8, 8, nullptr));
}

}  // namespace
