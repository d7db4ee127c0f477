#include "imaging/image_object.h"

#include <gtest/gtest.h>

#include <QFile>

#include "bmp_builder.h"
#include "imaging/dib.h"
#include "imaging/image_impl_bmp.h"
#include "imaging/image_impl_jpeg.h"
#include "imaging/image_impl_png.h"
#include "platform/device_context.h"
#include "test_environment.h"

namespace {

QString WriteFile(const QString& name, const QByteArray& bytes) {
  const QString path = testenv::ProgramDir() + "/" + name;
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

// An 8-bit picture whose top-left pixel has index 1 and bottom-left pixel index 2.
BmpBuilder PaletteBitmap() {
  BmpBuilder b;
  b.bitCount = 8;
  b.width = 4;
  b.height = 3;
  b.clrUsed = 4;
  b.table = {qRgb(0, 0, 0), qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(255, 255, 255)};
  b.values = {1, 3, 3, 0,  //
              0, 3, 1, 0,  //
              2, 0, 3, 1};
  return b;
}

TEST(ImageTypeOfName, LooksAtTheLastExtensionInAnyCase) {
  const std::pair<const char*, int> cases[] = {
      {"a.bmp", kImageBmp},  {"A.BMP", kImageBmp},         {"x.JPG", kImageJpeg},
      {"x.jpg", kImageJpeg}, {"x.gif", kImageGif},         {"x.png", kImagePng},
      {"x.xpm", kImageXpm},  {"x.jpeg", kImageNone},       {"noext", kImageNone},
      {"dot.", kImageNone},  {"dir.png/file", kImageNone}, {"a.png.bmp", kImageBmp}};
  for (const auto& [name, type] : cases) EXPECT_EQ(ImageTypeOfName(name), type) << name;
}

TEST(CImageObject, LoadPicksTheImplementationByExtension) {
  CImageObject jpeg;
  jpeg.LoadFromFile(testenv::ProgramDir() + "/photo.JPG");
  EXPECT_NE(dynamic_cast<CImageImplJpeg*>(jpeg.Implementation()), nullptr);
  EXPECT_EQ(static_cast<CImageImplJpeg*>(jpeg.Implementation())->Quality(), 30);
  for (const char* name : {"/photo.jpeg", "/photo"}) {
    CImageObject none;
    EXPECT_EQ(none.LoadFromFile(testenv::ProgramDir() + name), 0);
    EXPECT_EQ(none.Implementation(), nullptr);
  }
}

TEST(CImageObject, LoadsABmpWithItsPaletteInIndexMode) {
  const QString path = WriteFile("p.bmp", PaletteBitmap().Build());
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(path), 1);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.BitsPerPixel(), 8);
  EXPECT_EQ(image.ColorType(), kColorPalette);
  ASSERT_NE(image.Palette(), nullptr);
  // (0, 0) is the bottom-left pixel of the picture.
  EXPECT_EQ(image.PixelIndexAt(0, 0), 2);
  EXPECT_EQ(image.PixelIndexAt(0, 2), 1);
  int r = 0, g = 0, b = 0;
  EXPECT_EQ(image.PixelColorAt(0, 0, r, g, b), 1);
  EXPECT_EQ(qRgb(r, g, b), qRgb(0, 200, 0));
  const PackedDib* dib = image.Implementation()->Dib();
  EXPECT_EQ(ReadLe16(dib->ColorTable() + 2 * 3), 3);  // palette indices, not colours
  EXPECT_EQ(image.PixelIndexAt(4, 0), -1);
  EXPECT_EQ(image.PutPixelIndex(0, 3, 1), 0);
}

TEST(CImageObject, SaveToTheSameTypeKeepsTheImplementationAndRestoresTheFile) {
  const QByteArray original = PaletteBitmap().Build();
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(WriteFile("p.bmp", original)), 1);
  CImageImpl* before = image.Implementation();
  const QString copy = testenv::ProgramDir() + "/copy.bmp";
  ASSERT_EQ(image.SaveToFile(copy), 1);
  EXPECT_EQ(image.Implementation(), before);
  QFile file(copy);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), original);
  // Still drawn through its palette afterwards.
  EXPECT_EQ(ReadLe16(image.Implementation()->Dib()->ColorTable() + 2), 1);
}

TEST(CImageObject, SaveToAnotherTypeMovesTheImage) {
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(WriteFile("p.bmp", PaletteBitmap().Build())), 1);
  const std::uint8_t* pixels = image.PixelBits();
  image.SaveToFile(testenv::ProgramDir() + "/p.png");
  auto* png = dynamic_cast<CImageImplPng*>(image.Implementation());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(image.Type(), kImagePng);
  EXPECT_EQ(image.PixelBits(), pixels);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_NE(image.Palette(), nullptr);
  EXPECT_EQ(png->FileName(), testenv::ProgramDir() + "/p.png");
}

TEST(CImageObject, SaveToATypeWithoutImplementationKeepsTheOldOne) {
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(WriteFile("p.bmp", PaletteBitmap().Build())), 1);
  CImageImpl* before = image.Implementation();
  EXPECT_EQ(image.SaveToFile(testenv::ProgramDir() + "/p.xpm"), 0);
  EXPECT_EQ(image.Implementation(), before);
  EXPECT_TRUE(image.HasBitmap());
}

TEST(CImageObject, CreateBlankChoosesColourTypeByDepth) {
  CImageObject colour;
  ASSERT_EQ(colour.CreateBlank(10, 10, 24, -1), 1);
  EXPECT_EQ(colour.ColorType(), kColorBit);
  EXPECT_EQ(colour.Palette(), nullptr);
  EXPECT_NE(dynamic_cast<CImageImplBmp*>(colour.Implementation()), nullptr);
  EXPECT_EQ(colour.PutPixelColor(9, 9, 1, 2, 3), 1);
  int r = 0, g = 0, b = 0;
  colour.PixelColorAt(9, 9, r, g, b);
  EXPECT_EQ(qRgb(r, g, b), qRgb(1, 2, 3));

  CImageObject grey;
  ASSERT_EQ(grey.CreateBlank(10, 10, 8, -1), 1);
  EXPECT_EQ(grey.ColorType(), kColorGrey);
  const PackedDib* dib = grey.Implementation()->Dib();
  EXPECT_EQ(dib->Header().clrUsed, 256u);
  EXPECT_EQ(dib->ColorTable()[4 * 17 + 2], 0x80);  // entry 17 repeats VGA dark red
  // Without a palette a colour read of an 8-bit picture takes three bytes, but never more
  // than the bitmap holds: the last pixel of a 12-wide picture ends the block.
  CImageObject edge;
  ASSERT_EQ(edge.CreateBlank(12, 10, 8, -1), 1);
  EXPECT_EQ(edge.PixelColorAt(9, 9, r, g, b), 1);
  EXPECT_EQ(edge.PixelColorAt(11, 9, r, g, b), 0);
}

TEST(CImageObject, SecondPaletteIsReportedAndReplacesTheFirst) {
  CImageObject image;
  image.CreateBlank(2, 2, 8, -1);
  const std::uint8_t first[] = {0, 0, 0, 255, 255, 255};
  const std::uint8_t second[] = {9, 8, 7};
  image.AssignPalette(2, first);
  EXPECT_TRUE(testenv::Messages().empty());
  EXPECT_EQ(image.ColorType(), kColorPalette);
  image.AssignPalette(1, second);
  ASSERT_EQ(testenv::Messages().size(), 1u);
  EXPECT_EQ(testenv::Messages()[0].text,
            QStringLiteral("CImageImpl::imagePalette already exists!"));
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(image.Palette()->EntryAt(0, r, g, b), 1);
  EXPECT_EQ(qRgb(r, g, b), qRgb(9, 8, 7));
  EXPECT_EQ(image.Palette()->EntryAt(1, r, g, b), 0);
}

TEST(CImageObject, WithoutImplementationEverythingFailsQuietly) {
  CImageObject image;
  int r, g, b;
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.PixelIndexAt(0, 0), -1);
  EXPECT_EQ(image.PixelColorAt(0, 0, r, g, b), 0);
  EXPECT_EQ(image.PutPixelColor(0, 0, 1, 1, 1), 0);
  EXPECT_EQ(image.DrawStretched(nullptr, 0, 0, 1, 1, 0, 0, 1, 1), 0);
  EXPECT_EQ(image.SaveToFile(testenv::ProgramDir() + "/x.bmp"), 0);
  EXPECT_FALSE(image.HasBitmap());
}

TEST(CImageObject, CompressedPixelsAreNeverReadPastTheirBytes) {
  BmpBuilder b;
  b.bitCount = 8;
  b.width = 16;
  b.height = 16;
  b.compression = 1;
  b.clrUsed = 2;
  b.table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  b.rawPixels = {0, 1};
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(WriteFile("rle.bmp", b.Build())), 1);
  EXPECT_EQ(image.PixelIndexAt(0, 0), 0);
  EXPECT_EQ(image.PixelIndexAt(1, 0), 1);
  EXPECT_EQ(image.PixelIndexAt(15, 15), -1);
  EXPECT_EQ(image.PutPixelIndex(15, 15, 1), 0);
}

TEST(CImageObject, DrawStretchedKeepsTheDestinationUnderTheTransparentIndex) {
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(WriteFile("p.bmp", PaletteBitmap().Build())), 1);
  image.Implementation()->SetTransparentIndex(3);
  std::vector<int> before;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) before.push_back(image.PixelIndexAt(x, y));

  QImage target(8, 6, QImage::Format_RGB32);
  target.fill(qRgb(10, 100, 160));
  DeviceContext dc(target);
  dc.SelectPalette(image.Palette()->Get());
  ASSERT_EQ(image.DrawStretched(&dc, 0, 0, 8, 6, 0, 0, 4, 3), 1);

  const BmpBuilder picture = PaletteBitmap();
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint32_t index = picture.values[(y / 2) * 4 + x / 2];
      const QRgb expected = index == 3 ? qRgb(10, 100, 160) : picture.table[index];
      ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
    }
  }
  std::vector<int> after;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) after.push_back(image.PixelIndexAt(x, y));
  EXPECT_EQ(after, before);
}

}  // namespace
