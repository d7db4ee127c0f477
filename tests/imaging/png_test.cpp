#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>

#include "codec_reference.h"
#include "gif_builder.h"
#include "imaging/full_color_image.h"
#include "imaging/image_impl_png.h"
#include "imaging/image_object.h"
#include "test_environment.h"

namespace {

QString SuiteDir() { return QStringLiteral(QUILLORA_PNGSUITE_DIR); }

QStringList SuiteFiles(const QString& pattern) {
  return QDir(SuiteDir()).entryList({pattern}, QDir::Files, QDir::Name);
}

#define REQUIRE_SUITE()           \
  if (!QDir(SuiteDir()).exists()) \
  GTEST_SKIP() << "PNG suite not found at " << SuiteDir().toStdString()

// The picture as the image's palette or pixels give it, top row first.
QImage Picture(const CImageImpl& image) {
  QImage out(image.Width(), image.Height(), QImage::Format_RGB32);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      int r = -1, g = -1, b = -1;
      if (!image.PixelColorAt(x, image.Height() - 1 - y, r, g, b)) r = g = b = 0;
      out.setPixel(x, y, qRgb(r, g, b));
    }
  return out;
}

// The first pixel that differs, for a readable failure.
std::string FirstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "sizes differ";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        return QStringLiteral("(%1, %2): %3 vs %4")
            .arg(x)
            .arg(y)
            .arg(a.pixel(x, y), 8, 16)
            .arg(b.pixel(x, y), 8, 16)
            .toStdString();
  return {};
}

TEST(PngSuite, EveryValidFileReadsToLibpngsPixels) {
  REQUIRE_SUITE();
  const QStringList files = SuiteFiles("[a-w]*.png");
  ASSERT_GT(files.size(), 100);
  for (const QString& name : files) {
    const QString path = SuiteDir() + "/" + name;
    const QImage reference = DecodePngReference(path);
    ASSERT_FALSE(reference.isNull()) << name.toStdString();
    CImageImplPng image;
    ASSERT_EQ(image.LoadFromFile(path), 1) << name.toStdString();
    EXPECT_EQ(FirstDifference(Picture(image), reference), "") << name.toStdString();
    EXPECT_EQ(FirstDifference(LoadFullColorImage(path), reference), "")
        << "full colour " << name.toStdString();
  }
}

TEST(PngSuite, EveryDamagedFileFails) {
  REQUIRE_SUITE();
  const QStringList files = SuiteFiles("x*.png");
  ASSERT_GT(files.size(), 10);
  for (const QString& name : files) {
    const QString path = SuiteDir() + "/" + name;
    CImageImplPng image;
    EXPECT_EQ(image.LoadFromFile(path), 0) << name.toStdString();
    EXPECT_FALSE(image.HasBitmap()) << name.toStdString();
    EXPECT_TRUE(LoadFullColorImage(path).isNull()) << name.toStdString();
  }
}

TEST(PngSuite, InterlacedFilesReadLikeTheirNonInterlacedTwins) {
  REQUIRE_SUITE();
  const QStringList files = SuiteFiles("basi*.png");
  ASSERT_FALSE(files.isEmpty());
  for (QString name : files) {
    CImageImplPng interlaced, plain;
    ASSERT_EQ(interlaced.LoadFromFile(SuiteDir() + "/" + name), 1);
    ASSERT_EQ(plain.LoadFromFile(SuiteDir() + "/" + name.replace("basi", "basn")), 1);
    EXPECT_EQ(FirstDifference(Picture(interlaced), Picture(plain)), "") << name.toStdString();
  }
}

TEST(PngSuite, ImagesTakeTheDepthAndColorTypeOfWhatTheyHold) {
  REQUIRE_SUITE();
  struct Case {
    const char* file;
    int depth;
    int colorType;
    int paletteSize;  // 0: none
  };
  const Case cases[] = {
      {"basn0g01.png", 8, kColorPalette, 256},  // grey: a grey palette
      {"basn0g16.png", 8, kColorPalette, 256},
      {"basn4a16.png", 8, kColorPalette, 256},  // grey with alpha
      {"basn3p01.png", 8, kColorPalette, 2},
      {"basn3p04.png", 8, kColorPalette, 15},
      {"basn2c16.png", 24, kColorBit, 0},
      {"basn6a08.png", 24, kColorBit, 0},  // alpha composited away
  };
  for (const Case& c : cases) {
    CImageImplPng image;
    ASSERT_EQ(image.LoadFromFile(SuiteDir() + "/" + c.file), 1) << c.file;
    EXPECT_EQ(image.Depth(), c.depth) << c.file;
    EXPECT_EQ(image.ColorType(), c.colorType) << c.file;
    EXPECT_EQ(image.Palette() ? image.Palette()->Get()->Size() : 0, c.paletteSize) << c.file;
  }
}

TEST(CImageImplPng, TransparentPixelsShowTheBackground) {
  REQUIRE_SUITE();
  // tbbn3p08: palette with a fully transparent entry; tbrn2c08: RGB with a tRNS colour;
  // tbbn0g04: grey with a tRNS level (grey files compose over black).
  struct Case {
    const char* file;
    QRgb corner;
  };
  for (const Case& c :
       {Case{"tbbn3p08.png", qRgb(31, 127, 255)}, Case{"tbrn2c08.png", qRgb(31, 127, 255)},
        Case{"tbbn0g04.png", qRgb(0, 0, 0)}}) {
    CImageImplPng image;
    ASSERT_EQ(image.LoadFromFile(SuiteDir() + "/" + c.file), 1) << c.file;
    EXPECT_EQ(Picture(image).pixel(0, 0), c.corner) << c.file;
  }
}

TEST(CImageImplPng, DamagedFileLeavesTheImage) {
  REQUIRE_SUITE();
  const QByteArray good = ReadFileBytes(SuiteDir() + "/basn2c08.png");
  CImageImplPng image;
  ASSERT_EQ(image.LoadFromFile(WriteTestFile("good.png", good)), 1);
  const QImage before = Picture(image);
  for (const QByteArray& bad : {good.left(good.size() / 2), good.left(30), QByteArray()}) {
    EXPECT_EQ(image.LoadFromFile(WriteTestFile("bad.png", bad)), 0);
    EXPECT_EQ(FirstDifference(Picture(image), before), "");
  }
  EXPECT_EQ(image.LoadFromFile(testenv::ProgramDir() + "/absent.png"), 0);
}

// ---- writing

TEST(CImageImplPng, GifOf128ColorsBecomesAPngWith256PaletteEntries) {
  std::vector<QRgb> colors;
  for (int i = 0; i < 128; ++i) colors.push_back(qRgb(i * 2, 255 - i, (i * 53) % 256));
  std::vector<std::uint8_t> indices(40 * 30);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i % 128);
  const QString gif = WriteTestFile("pic_128.gif", WriteGifWithGiflib(40, 30, indices, colors));
  const QString png = testenv::ProgramDir() + "/pic_128.png";

  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(gif), 1);
  ASSERT_EQ(image.SaveToFile(png), 1);
  EXPECT_NE(dynamic_cast<CImageImplPng*>(image.Implementation()), nullptr);

  const PngFileInfo info = ReadPngInfo(png);
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(info.colorType, 3);
  EXPECT_EQ(info.bitDepth, 8);
  EXPECT_EQ(info.interlace, 0);
  ASSERT_EQ(info.palette.size(), 256u);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(info.palette[i], colors[i]) << i;
  EXPECT_EQ(info.palette[200], qRgb(0, 0, 0));  // beyond the GIF's colours

  CImageImplPng back;
  ASSERT_EQ(back.LoadFromFile(png), 1);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(back.PixelIndexAt(x, 29 - y), indices[static_cast<std::size_t>(y) * 40 + x]);
}

TEST(CImageImplPng, TrueColorImageRoundTrips) {
  CImageImplPng image;
  ASSERT_EQ(image.CreateBlank(7, 5, 24, -1), 1);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) image.PutPixelColor(x, y, x * 30, y * 50, (x * y * 17) % 256);
  const QString path = testenv::ProgramDir() + "/rgb.png";
  ASSERT_EQ(image.SaveToFile(path), 1);
  EXPECT_EQ(ReadPngInfo(path).colorType, 2);
  CImageImplPng back;
  ASSERT_EQ(back.LoadFromFile(path), 1);
  EXPECT_EQ(FirstDifference(Picture(back), Picture(image)), "");
  // And the file means the same to libpng: bitmap row 0 is the bottom one, red comes first.
  EXPECT_EQ(DecodePngReference(path).pixel(6, 4), qRgb(180, 0, 0));
}

TEST(CImageImplPng, FourBitPaletteImageGetsSixteenEntriesAndPackedRows) {
  CImageImplPng image;
  ASSERT_EQ(image.CreateBlank(5, 2, 4, -1), 1);
  int levels[16];
  for (int i = 0; i < 16; ++i) levels[i] = i * 16;
  image.AssignPalette(16, levels, levels, levels);
  // Bottom row 1 2 3 4 5, top row F E D C B: two pixels per byte, high half first.
  const std::uint8_t bottom[3] = {0x12, 0x34, 0x50}, top[3] = {0xFE, 0xDC, 0xB0};
  std::copy(bottom, bottom + 3, image.PixelBits());
  std::copy(top, top + 3, image.PixelBits() + image.RowStride());
  const QString path = testenv::ProgramDir() + "/four.png";
  ASSERT_EQ(image.SaveToFile(path), 1);
  const PngFileInfo info = ReadPngInfo(path);
  EXPECT_EQ(info.bitDepth, 4);
  EXPECT_EQ(info.palette.size(), 16u);
  const QImage decoded = DecodePngReference(path);
  EXPECT_EQ(decoded.pixel(0, 0), qRgb(240, 240, 240));
  EXPECT_EQ(decoded.pixel(4, 1), qRgb(80, 80, 80));
}

TEST(CImageImplPng, ImagesThatMakeNoPngPictureWriteNothing) {
  struct Case {
    const char* name;
    int depth;
    int colorType;
  };
  for (const Case& c : {Case{"32 bits", 32, -1}, Case{"16 bits", 16, -1},
                        Case{"8 bits, colour type with alpha", 8, 4},
                        Case{"24 bits, colour type with alpha", 24, 6},
                        Case{"palette type without a palette", 8, 3}}) {
    CImageImplPng image;
    ASSERT_EQ(image.CreateBlank(4, 4, c.depth, c.colorType), 1) << c.name;
    const QString path = testenv::ProgramDir() + "/none.png";
    EXPECT_EQ(image.SaveToFile(path), 0) << c.name;
    EXPECT_FALSE(QFile::exists(path)) << c.name;
  }
  CImageImplPng empty;
  EXPECT_EQ(empty.SaveToFile(testenv::ProgramDir() + "/empty.png"), 0);
}

TEST(CImageImplPng, WriteErrorsGiveZero) {
  CImageImplPng image;
  ASSERT_EQ(image.CreateBlank(300, 300, 24, -1), 1);
  EXPECT_EQ(image.SaveToFile(testenv::ProgramDir() + "/no/folder.png"), 0);
  if (QFile::exists("/dev/full")) {
    EXPECT_EQ(image.SaveToFile("/dev/full"), 0);
  }
}

}  // namespace
