#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <cmath>

#include "codec_reference.h"
#include "imaging/dib.h"
#include "imaging/image_impl_jpeg.h"
#include "imaging/image_object.h"
#include "imaging/jpeg_writer.h"
#include "test_environment.h"

namespace {

// A 32-bit bitmap whose pixel (x, y), y = 0 the top row, has the given colour.
PackedDibPtr Dib32(int width, int height, const std::function<QRgb(int, int)>& color) {
  PackedDibPtr dib = NewDib(32, width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = dib->Pixels() + static_cast<std::size_t>(height - 1 - y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const QRgb c = color(x, y);
      row[4 * x] = static_cast<std::uint8_t>(qBlue(c));
      row[4 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
      row[4 * x + 2] = static_cast<std::uint8_t>(qRed(c));
    }
  }
  return dib;
}

QRgb SampleAt(const RawImage& image, int x, int y) {
  const std::uint8_t* p =
      &image.samples[(static_cast<std::size_t>(y) * image.width + x) * image.components];
  return image.components == 1 ? qRgb(p[0], p[0], p[0]) : qRgb(p[0], p[1], p[2]);
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString Path(const char* name) { return testenv::ProgramDir() + "/" + name; }

// ---- DibToRgbRows

struct RowsCase {
  const char* name;
  int bitCount;
  int width;
  std::vector<std::uint8_t> bottomUpRows;  // the pixel bytes of the bitmap, bottom row first
  std::vector<std::uint8_t> expected;      // red, green, blue, top row first
};

TEST(DibToRgbRows, ConvertsEveryBitCountTopRowFirst) {
  // Tables: entry i = (10 i, 20 i, 30 i) for indexed bitmaps.
  const RowsCase cases[] = {
      {"1 bit",
       1,
       3,
       {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0},
       {0, 0, 0, 10, 20, 30, 0, 0, 0, 10, 20, 30, 0, 0, 0, 10, 20, 30}},
      {"4 bits",
       4,
       3,
       {0x12, 0x30, 0, 0, 0xF0, 0x50, 0, 0},
       {150, 44, 194, 0, 0, 0, 50, 100, 150, 10, 20, 30, 20, 40, 60, 30, 60, 90}},
      {"8 bits",
       8,
       2,
       {7, 8, 0, 0, 1, 2, 0, 0},
       {10, 20, 30, 20, 40, 60, 70, 140, 210, 80, 160, 240}},
      // 5-5-5: 0 -> 0, 31 -> 255, v -> 8 v + 8 otherwise.
      {"16 bits",
       16,
       2,
       {0x00, 0x7C, 0x1F, 0x00, 0x21, 0x28, 0xFF, 0x7F},
       {88, 16, 16, 255, 255, 255, 255, 0, 0, 0, 0, 255}},
      {"24 bits", 24, 1, {1, 2, 3, 0, 4, 5, 6, 0}, {6, 5, 4, 3, 2, 1}},
      {"32 bits", 32, 1, {1, 2, 3, 99, 4, 5, 6, 99}, {6, 5, 4, 3, 2, 1}},
  };
  for (const RowsCase& c : cases) {
    PackedDibPtr dib = NewDib(c.bitCount, c.width, 2);
    ASSERT_TRUE(dib) << c.name;
    const BitmapInfoHeader header = dib->Header();
    if (c.bitCount <= 8) {
      // 1-bit bitmaps have no table from NewDib: give them one.
      BitmapInfoHeader h = header;
      h.clrUsed = 1u << c.bitCount;
      dib->SetHeader(h);
      for (int i = 0; i < (1 << c.bitCount); ++i) {
        std::uint8_t* quad = dib->ColorTable() + 4 * i;
        quad[0] = static_cast<std::uint8_t>(30 * i);
        quad[1] = static_cast<std::uint8_t>(20 * i);
        quad[2] = static_cast<std::uint8_t>(10 * i);
      }
    }
    std::copy(c.bottomUpRows.begin(), c.bottomUpRows.end(), dib->Pixels());
    std::vector<std::uint8_t> out(c.expected.size() + 6, 0xAA);
    std::uint8_t* rows[2] = {out.data(), out.data() + c.width * 3};
    QString error = "x";
    ASSERT_EQ(DibToRgbRows(dib.get(), c.width * 3, rows, &error), 1) << c.name;
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + c.expected.size()), c.expected)
        << c.name;
    EXPECT_EQ(out[c.expected.size()], 0xAA) << c.name;
  }
}

TEST(DibToRgbRows, RefusesWhatItCannotConvert) {
  std::uint8_t buffer[64];
  std::uint8_t* rows[2] = {buffer, buffer + 32};
  QString error;
  PackedDibPtr good = NewDib(24, 2, 2);
  EXPECT_EQ(DibToRgbRows(nullptr, 6, rows, &error), 0);
  EXPECT_EQ(error, "Invalid input data");
  EXPECT_EQ(DibToRgbRows(good.get(), 0, rows, &error), 0);
  EXPECT_EQ(DibToRgbRows(good.get(), 6, rows, nullptr), 0);
  error.clear();
  EXPECT_EQ(DibToRgbRows(good.get(), 5, rows, &error), 0);  // rows too short for the width
  EXPECT_EQ(error, "Invalid input data");

  PackedDib twoBits(BitmapInfoHeader::kBytes + 64);
  BitmapInfoHeader h;
  h.width = 2;
  h.height = 2;
  h.bitCount = 2;
  twoBits.SetHeader(h);
  EXPECT_EQ(DibToRgbRows(&twoBits, 6, rows, &error), 0);
  EXPECT_EQ(error, "Invalid bitmap bit count");

  // A header that declares more rows than the block holds.
  PackedDib shortBlock(BitmapInfoHeader::kBytes + 8);
  h.bitCount = 32;
  shortBlock.SetHeader(h);
  EXPECT_EQ(DibToRgbRows(&shortBlock, 6, rows, &error), 0);
  EXPECT_EQ(error, "Invalid input data");
}

TEST(DibToRgbRows, IndexBeyondASmallColorTableIsBlack) {
  PackedDib dib(BitmapInfoHeader::kBytes + 2 * 4 + 4);
  BitmapInfoHeader h;
  h.width = 2;
  h.height = 1;
  h.bitCount = 8;
  h.clrUsed = 2;
  dib.SetHeader(h);
  dib.ColorTable()[4 + 2] = 200;  // entry 1 is red 200
  dib.Pixels()[0] = 1;
  dib.Pixels()[1] = 250;
  std::uint8_t out[6];
  std::uint8_t* rows[1] = {out};
  QString error;
  ASSERT_EQ(DibToRgbRows(&dib, 6, rows, &error), 1);
  EXPECT_EQ(std::vector<std::uint8_t>(out, out + 6),
            (std::vector<std::uint8_t>{200, 0, 0, 0, 0, 0}));
}

// ---- WriteJpegFromDib

TEST(WriteJpegFromDib, RedTopLeftPixelStaysRed) {
  const auto dib = Dib32(
      3, 2, [](int x, int y) { return x == 0 && y == 0 ? qRgb(255, 0, 0) : qRgb(255, 255, 255); });
  QString error = "old";
  ASSERT_EQ(WriteJpegFromDib(dib.get(), 100, Path("red.jpg"), &error), 1);
  EXPECT_TRUE(error.isEmpty());
  const RawImage decoded = DecodeJpegWithLibjpeg(ReadFileBytes(Path("red.jpg")));
  ASSERT_EQ(decoded.width, 3);
  ASSERT_EQ(decoded.height, 2);
  // Chroma is shared by 2 x 2 pixels, so the red is paler, but it is red and not blue.
  const QRgb first = SampleAt(decoded, 0, 0);
  EXPECT_GT(qRed(first), 100);
  EXPECT_GT(qRed(first), qBlue(first) + 40);
  EXPECT_GT(qRed(first), qGreen(first) + 40);
  EXPECT_GT(qBlue(SampleAt(decoded, 2, 1)), 200);
}

TEST(WriteJpegFromDib, EightBitBitmapUsesItsColorTable) {
  PackedDibPtr dib = NewDib(8, 16, 16);
  std::uint8_t* entry = dib->ColorTable() + 4 * 200;
  entry[0] = 10;   // blue
  entry[1] = 120;  // green
  entry[2] = 230;  // red
  std::fill(dib->Pixels(), dib->Pixels() + 16 * 16, 200);
  QString error;
  ASSERT_EQ(WriteJpegFromDib(dib.get(), 100, Path("table.jpg"), &error), 1);
  const RawImage decoded = DecodeJpegWithLibjpeg(ReadFileBytes(Path("table.jpg")));
  EXPECT_TRUE(Near(SampleAt(decoded, 8, 8), qRgb(230, 120, 10), 3));
}

TEST(WriteJpegFromDib, RejectsInvalidInput) {
  const auto dib = Dib32(2, 2, [](int, int) { return qRgb(1, 2, 3); });
  struct Case {
    const char* name;
    const PackedDib* dib;
    int quality;
    QString file;
  };
  const Case cases[] = {{"quality 101", dib.get(), 101, Path("a.jpg")},
                        {"quality -1", dib.get(), -1, Path("a.jpg")},
                        {"no bitmap", nullptr, 50, Path("a.jpg")},
                        {"no name", dib.get(), 50, QString()}};
  for (const Case& c : cases) {
    QString error;
    EXPECT_EQ(WriteJpegFromDib(c.dib, c.quality, c.file, &error), 0) << c.name;
    EXPECT_EQ(error, "Invalid input data") << c.name;
  }
  EXPECT_EQ(WriteJpegFromDib(dib.get(), 50, Path("a.jpg"), nullptr), 0);
  EXPECT_FALSE(QFile::exists(Path("a.jpg")));
  QString error;
  EXPECT_EQ(WriteJpegFromDib(dib.get(), 0, Path("zero.jpg"), &error), 1);
}

TEST(WriteJpegFromDib, FileThatCannotBeCreatedIsNamed) {
  const auto dib = Dib32(2, 2, [](int, int) { return qRgb(1, 2, 3); });
  QString error;
  const QString name = Path("missing/folder/a.jpg");
  EXPECT_EQ(WriteJpegFromDib(dib.get(), 80, name, &error), 0);
  EXPECT_EQ(error, "Cannot open " + name);
}

TEST(WriteJpegFromDib, LibraryErrorGivesZeroAndRemovesThePartialFile) {
  // Wider than JPEG allows: libjpeg refuses after the file was created.
  const int width = 65501;
  PackedDib dib(BitmapInfoHeader::kBytes + static_cast<std::size_t>(width) * 4);
  BitmapInfoHeader h;
  h.width = width;
  h.height = 1;
  h.bitCount = 32;
  dib.SetHeader(h);
  QString error;
  EXPECT_EQ(WriteJpegFromDib(&dib, 90, Path("wide.jpg"), &error), 0);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(Path("wide.jpg")));
}

TEST(WriteJpegFromDib, WriteFailureIsReportedNotFatal) {
  if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const auto dib = Dib32(64, 64, [](int x, int y) { return qRgb(x * 4, y * 4, x ^ y); });
  QString error;
  EXPECT_EQ(WriteJpegFromDib(dib.get(), 90, "/dev/full", &error), 0);
  EXPECT_FALSE(error.isEmpty());
}

TEST(WriteJpegFromDib, BitmapThatCannotBeConvertedWritesNoFile) {
  PackedDib dib(BitmapInfoHeader::kBytes + 64);
  BitmapInfoHeader h;
  h.width = 2;
  h.height = 2;
  h.bitCount = 2;
  dib.SetHeader(h);
  QString error;
  EXPECT_EQ(WriteJpegFromDib(&dib, 90, Path("two.jpg"), &error), 0);
  EXPECT_EQ(error, "Invalid bitmap bit count");
  EXPECT_FALSE(QFile::exists(Path("two.jpg")));
}

// ---- CImageImplJpeg

RawImage Gradient(int width, int height, int components) {
  RawImage image;
  image.width = width;
  image.height = height;
  image.components = components;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c)
        image.samples.push_back(
            static_cast<std::uint8_t>((x * 255 / width + c * 70 + y * 3) % 256));
  return image;
}

TEST(CImageImplJpeg, GreyFileReadsWithAGreyRamp) {
  const QString path = WriteTestFile("grey.jpg", EncodeJpegWithLibjpeg(Gradient(40, 30, 1), 95));
  CImageImplJpeg image;
  ASSERT_EQ(image.LoadFromFile(path), 1);
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Depth(), 8);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->Get()->Size(), 256);
  for (int i : {0, 1, 77, 255}) {
    int r = 0, g = 0, b = 0;
    image.Palette()->EntryAt(i, r, g, b);
    EXPECT_EQ(qRgb(r, g, b), qRgb(i, i, i));
  }
  // Pixels are the grey levels libjpeg decodes, top row at the end of the bitmap.
  const RawImage reference = DecodeJpegWithLibjpeg(ReadFileBytes(path));
  EXPECT_EQ(image.PixelIndexAt(5, 29), reference.samples[5]);
  EXPECT_EQ(image.PixelIndexAt(39, 0), reference.samples[29 * 40 + 39]);
}

TEST(CImageImplJpeg, ColorFileReadsWithAtMost128Colors) {
  const QString path = WriteTestFile("color.jpg", EncodeJpegWithLibjpeg(Gradient(64, 48, 3), 95));
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(path), 1);
  EXPECT_EQ(image.BitsPerPixel(), 8);
  EXPECT_EQ(image.ColorType(), kColorPalette);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_LE(image.Palette()->Get()->Size(), 128);
  EXPECT_GT(image.Palette()->Get()->Size(), 16);
  // Dithered, so compare averages over a block with the full-colour decoding.
  const RawImage reference = DecodeJpegWithLibjpeg(ReadFileBytes(path));
  long ours[3] = {}, theirs[3] = {};
  for (int y = 8; y < 24; ++y)
    for (int x = 16; x < 32; ++x) {
      int r = 0, g = 0, b = 0;
      ASSERT_EQ(image.PixelColorAt(x, 47 - y, r, g, b), 1);
      ours[0] += r, ours[1] += g, ours[2] += b;
      const QRgb c = SampleAt(reference, x, y);
      theirs[0] += qRed(c), theirs[1] += qGreen(c), theirs[2] += qBlue(c);
    }
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(ours[c] / 256.0, theirs[c] / 256.0, 12.0) << c;
}

TEST(CImageImplJpeg, DamagedFileFailsAndLeavesTheImage) {
  const QByteArray good = EncodeJpegWithLibjpeg(Gradient(8, 8, 1), 90);
  QByteArray garbage = good;
  for (int i = 2; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37);
  const std::pair<const char*, QByteArray> cases[] = {
      {"garbage after the start marker", garbage},
      {"empty", QByteArray()},
      {"start marker only", good.left(2)},
      {"not a JPEG", QByteArray("GIF89a")},
  };
  for (const auto& [name, bytes] : cases) {
    CImageImplJpeg image;
    ASSERT_EQ(image.LoadFromFile(WriteTestFile("good.jpg", good)), 1);
    EXPECT_EQ(image.LoadFromFile(WriteTestFile("bad.jpg", bytes)), 0) << name;
    EXPECT_EQ(image.Width(), 8) << name;
    EXPECT_TRUE(image.HasBitmap()) << name;
  }
  CImageImplJpeg none;
  EXPECT_EQ(none.LoadFromFile(Path("absent.jpg")), 0);
}

TEST(CImageImplJpeg, CmykFileReadsItsColors) {
  // Adobe's inverted inks (libjpeg writes the Adobe marker): stored 255 is no ink.
  RawImage cmyk;
  cmyk.width = cmyk.height = 16;
  cmyk.components = 4;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool left = x < 8;
      const std::uint8_t pixel[4] = {255, static_cast<std::uint8_t>(left ? 0 : 255),
                                     static_cast<std::uint8_t>(left ? 0 : 255),
                                     static_cast<std::uint8_t>(left ? 255 : 0)};
      cmyk.samples.insert(cmyk.samples.end(), pixel, pixel + 4);
    }
  CImageImplJpeg image;
  ASSERT_EQ(image.LoadFromFile(WriteTestFile("cmyk.jpg", EncodeJpegWithLibjpeg(cmyk, 100))), 1);
  EXPECT_LE(image.Palette()->Get()->Size(), 128);
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(image.PixelColorAt(2, 8, r, g, b), 1);
  EXPECT_TRUE(Near(qRgb(r, g, b), qRgb(255, 0, 0), 10)) << r << " " << g << " " << b;
  ASSERT_EQ(image.PixelColorAt(13, 8, r, g, b), 1);
  EXPECT_TRUE(Near(qRgb(r, g, b), qRgb(0, 0, 0), 10)) << r << " " << g << " " << b;
}

TEST(CImageImplJpeg, SavesPaletteAndTrueColorImagesInFullColor) {
  CImageImplJpeg palette;
  ASSERT_EQ(palette.CreateBlank(16, 8, 8, -1), 1);
  const int red[2] = {0, 250}, green[2] = {0, 20}, blue[2] = {0, 40};
  palette.AssignPalette(2, red, green, blue);
  for (int y = 0; y < 8; ++y)
    for (int x = 8; x < 16; ++x) palette.PutPixelIndex(x, y, 1);
  palette.SetQuality(95);
  ASSERT_EQ(palette.SaveToFile(Path("p.jpg")), 1);
  RawImage decoded = DecodeJpegWithLibjpeg(ReadFileBytes(Path("p.jpg")));
  EXPECT_TRUE(Near(SampleAt(decoded, 12, 4), qRgb(250, 20, 40), 8));
  EXPECT_TRUE(Near(SampleAt(decoded, 2, 4), qRgb(0, 0, 0), 8));

  CImageImplJpeg color;
  ASSERT_EQ(color.CreateBlank(8, 8, 24, -1), 1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) color.PutPixelColor(x, y, 20, 200, 100);
  ASSERT_EQ(color.SaveToFile(Path("c.jpg")), 1);
  decoded = DecodeJpegWithLibjpeg(ReadFileBytes(Path("c.jpg")));
  EXPECT_TRUE(Near(SampleAt(decoded, 3, 3), qRgb(20, 200, 100), 8));

  // Without a palette an 8-bit image holds grey levels.
  CImageImplJpeg grey;
  ASSERT_EQ(grey.CreateBlank(8, 8, 8, -1), 1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) grey.PutPixelIndex(x, y, 180);
  ASSERT_EQ(grey.SaveToFile(Path("g.jpg")), 1);
  decoded = DecodeJpegWithLibjpeg(ReadFileBytes(Path("g.jpg")));
  EXPECT_TRUE(Near(SampleAt(decoded, 3, 3), qRgb(180, 180, 180), 3));
}

TEST(CImageImplJpeg, SaveErrorsGiveZeroWithoutEndingTheProcess) {
  CImageImplJpeg empty;
  EXPECT_EQ(empty.SaveToFile(Path("empty.jpg")), 0);
  EXPECT_FALSE(QFile::exists(Path("empty.jpg")));
  CImageImplJpeg image;
  ASSERT_EQ(image.CreateBlank(64, 64, 24, -1), 1);
  EXPECT_EQ(image.SaveToFile(Path("no/such/folder.jpg")), 0);
  if (QFile::exists("/dev/full")) {
    EXPECT_EQ(image.SaveToFile("/dev/full"), 0);
  }
}

}  // namespace
