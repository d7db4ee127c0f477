#include "imaging/full_color_image.h"

#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "codec_reference.h"
#include "gif_builder.h"
#include "test_environment.h"

namespace {

QString SuiteFile(const char* name) {
  return QStringLiteral(QUILLORA_PNGSUITE_DIR "/") + QString::fromLatin1(name);
}

RawImage Photo(int width, int height) {
  RawImage image;
  image.width = width;
  image.height = height;
  image.components = 3;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      image.samples.push_back(static_cast<std::uint8_t>(x * 255 / width));
      image.samples.push_back(static_cast<std::uint8_t>(y * 255 / height));
      image.samples.push_back(static_cast<std::uint8_t>((x * y) % 256));
    }
  return image;
}

TEST(LoadFullColorImage, BmpGivesItsColors) {
  BmpBuilder bmp;
  bmp.bitCount = 24;
  bmp.FillPattern();
  const QImage image = LoadFullColorImage(WriteTestFile("p.bmp", bmp.Build()));
  ASSERT_EQ(image.size(), QSize(bmp.width, bmp.height));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  for (int y = 0; y < bmp.height; ++y)
    for (int x = 0; x < bmp.width; ++x) ASSERT_EQ(image.pixel(x, y), bmp.ColorAt(x, y));
}

// RLE files that code every pixel, bottom row first, as Qt's reader must read them too.
TEST(LoadFullColorImage, RleBmpGivesWhatQtsReaderGives) {
  const std::vector<QRgb> table = {qRgb(17, 34, 51), qRgb(255, 0, 0), qRgb(0, 255, 0),
                                   qRgb(0, 0, 255), qRgb(255, 255, 255)};
  BmpBuilder rle8;
  rle8.width = 6;
  rle8.height = 3;
  rle8.bitCount = 8;
  rle8.compression = 1;
  rle8.table = table;
  rle8.clrUsed = 5;
  // Each line codes one row: a run, three literal indices and a pad; a run; six literal ones.
  rle8.rawPixels = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0,  //
                    6, 4, 0, 0,                    //
                    0, 6, 1, 2, 3, 4, 1, 2, 0, 1};
  BmpBuilder rle4 = rle8;
  rle4.width = 5;
  rle4.bitCount = 4;
  rle4.compression = 2;
  // Alternating indices; three literal ones and a run; five literal ones and a pad.
  rle4.rawPixels = {5, 0x12, 0,    0,                       //
                    0, 3,    0x34, 0x10, 2,    0x21, 0, 0,  //
                    0, 5,    0x12, 0x34, 0x00, 0,    0, 1};
  for (const BmpBuilder* bmp : {&rle8, &rle4}) {
    const QByteArray bytes = bmp->Build();
    const QImage image = LoadFullColorImage(WriteTestFile("rle.bmp", bytes));
    const QImage qt = AsRgb32(QImage::fromData(bytes, "BMP"));
    ASSERT_FALSE(qt.isNull());
    ASSERT_EQ(image.size(), qt.size()) << bmp->bitCount;
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image, qt) << bmp->bitCount;
  }
  // The last row coded is the top one.
  EXPECT_EQ(LoadFullColorImage(WriteTestFile("rle.bmp", rle8.Build())).pixel(0, 0), table[1]);
}

// Runs stop at the row's end; pixels that deltas and early ends of line skip show colour 0;
// damaged data ends the picture where it stops making sense, keeping what came before.
TEST(LoadFullColorImage, RleBmpClipsSkipsAndStopsAtDamage) {
  BmpBuilder bmp;
  bmp.width = 4;
  bmp.height = 4;
  bmp.bitCount = 8;
  bmp.compression = 1;
  bmp.table = {qRgb(17, 34, 51), qRgb(255, 0, 0), qRgb(0, 0, 255)};
  bmp.clrUsed = 3;
  const QRgb o = bmp.table[0], r = bmp.table[1], b = bmp.table[2];
  const auto load = [&bmp](std::vector<std::uint8_t> data) {
    bmp.rawPixels = std::move(data);
    return LoadFullColorImage(WriteTestFile("rle.bmp", bmp.Build()));
  };
  const auto rows = [](const QImage& image) {
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
    return pixels;
  };
  // Bottom row: one pixel, then a delta 2 right and 2 up; there a run of 5 and, in the next
  // row, 5 literal indices, both cut at the row's end.
  EXPECT_EQ(rows(load({1, 1, 0, 2, 2, 2, 5, 2, 0, 0, 0, 5, 1, 2, 1, 2, 1, 0, 0, 1})),
            (std::vector<QRgb>{r, b, r, b,  //
                               o, o, o, b,  //
                               o, o, o, o,  //
                               r, o, o, o}));
  // A literal run cut short by the end of the data, then a delta cut short.
  for (const std::vector<std::uint8_t>& data :
       {std::vector<std::uint8_t>{4, 2, 0, 0, 0, 4, 1, 1}, {4, 2, 0, 0, 0, 2, 1}}) {
    EXPECT_EQ(rows(load(data)), (std::vector<QRgb>{o, o, o, o,  //
                                                   o, o, o, o,  //
                                                   o, o, o, o,  //
                                                   b, b, b, b}));
  }
  // A delta that leaves the picture ends it.
  EXPECT_EQ(rows(load({0, 2, 1, 9, 4, 1})), std::vector<QRgb>(16, o));
}

TEST(LoadFullColorImage, GifGivesItsTableColorsWithoutReduction) {
  std::vector<QRgb> colors;
  for (int i = 0; i < 256; ++i) colors.push_back(qRgb(i, (i * 7) % 256, 255 - i));
  std::vector<std::uint8_t> indices(32 * 9);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i * 3);
  // The transparent index keeps its colour here.
  const QImage image = LoadFullColorImage(
      WriteTestFile("p.gif", WriteGifWithGiflib(32, 9, indices, colors, true, indices[5])));
  ASSERT_EQ(image.size(), QSize(32, 9));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(image.pixel(x, y), colors[indices[static_cast<std::size_t>(y) * 32 + x]]);
}

TEST(LoadFullColorImage, GifWithoutColorTableGivesGreyLevels) {
  GifBuilder gif;
  gif.images.push_back(
      {0, 0, 2, 1, false, {}, 8, PackGifCodes({{256, 9}, {40, 9}, {200, 9}, {257, 9}}), true});
  const QImage image = LoadFullColorImage(WriteTestFile("grey.gif", gif.Build()));
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(image.pixel(0, 0), qRgb(40, 40, 40));
  EXPECT_EQ(image.pixel(1, 0), qRgb(200, 200, 200));
}

TEST(LoadFullColorImage, JpegDecodesInFullColorLikeLibjpeg) {
  for (int components : {3, 1}) {
    RawImage source = Photo(61, 47);
    if (components == 1) {
      source.components = 1;
      for (std::size_t i = 0; i < source.samples.size() / 3; ++i)
        source.samples[i] = source.samples[3 * i];
      source.samples.resize(source.samples.size() / 3);
    }
    const QByteArray bytes = EncodeJpegWithLibjpeg(source, 92);
    const RawImage reference = DecodeJpegWithLibjpeg(bytes);
    const QImage image = LoadFullColorImage(WriteTestFile("p.jpg", bytes));
    ASSERT_EQ(image.size(), QSize(61, 47));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    for (int y = 0; y < 47; ++y)
      for (int x = 0; x < 61; ++x) {
        const std::uint8_t* p =
            &reference.samples[(static_cast<std::size_t>(y) * 61 + x) * reference.components];
        const QRgb expected = components == 1 ? qRgb(p[0], p[0], p[0]) : qRgb(p[0], p[1], p[2]);
        ASSERT_EQ(image.pixel(x, y), expected) << x << "," << y << " components " << components;
      }
  }
}

void ExpectSameAsLibjpeg(const QImage& image, const QByteArray& bytes, const char* what) {
  const RawImage reference = DecodeJpegWithLibjpeg(bytes);
  ASSERT_EQ(reference.components, 3) << what;
  ASSERT_EQ(image.size(), QSize(reference.width, reference.height)) << what;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const std::uint8_t* p =
          &reference.samples[(static_cast<std::size_t>(y) * image.width() + x) * 3];
      ASSERT_EQ(image.pixel(x, y), qRgb(p[0], p[1], p[2])) << what << " " << x << "," << y;
    }
}

// Junk between the start marker and the next one is passed over by libjpeg (with a warning).
TEST(LoadFullColorImage, JpegWithDamagedThirdByteDecodesLikeLibjpeg) {
  QByteArray bytes = EncodeJpegWithLibjpeg(Photo(40, 30), 90);
  bytes[2] = '\x00';
  ExpectSameAsLibjpeg(LoadFullColorImage(WriteTestFile("damaged.jpg", bytes)), bytes, "third byte");
  EXPECT_EQ(ReadImageFileSize(WriteTestFile("damaged.jpg", bytes)), QSize(40, 30));
}

// Cut anywhere in the tables and header in front of the second scan, the file shows what the
// first scan gives: libjpeg's own picture of the file ending right behind that scan.
TEST(LoadFullColorImage, ProgressiveJpegCutBetweenScansShowsTheScansReadSoFar) {
  const QByteArray bytes = EncodeJpegWithLibjpeg(Photo(64, 48), 90, true);
  const qsizetype firstScan = bytes.indexOf("\xFF\xDA");
  const qsizetype secondScan = bytes.indexOf("\xFF\xDA", firstScan + 2);
  ASSERT_GT(firstScan, 0);
  ASSERT_GT(secondScan, firstScan);
  // The first scan's data ends at the first marker behind it (FF 00 is a coded FF).
  qsizetype scanEnd = bytes.indexOf(
      '\xFF', firstScan + 2 + (uchar(bytes[firstScan + 2]) << 8 | uchar(bytes[firstScan + 3])));
  while (bytes[scanEnd + 1] == '\x00') scanEnd = bytes.indexOf('\xFF', scanEnd + 2);
  ASSERT_LT(scanEnd, secondScan);
  const qsizetype secondData =
      secondScan + 2 + (uchar(bytes[secondScan + 2]) << 8 | uchar(bytes[secondScan + 3]));
  const QByteArray whole = bytes.left(scanEnd);
  for (qsizetype cut = scanEnd + 1; cut < secondData; ++cut) {
    const QImage image = DecodeFullColorImage(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(cut));
    ExpectSameAsLibjpeg(image, whole, "cut");
    if (HasFailure()) FAIL() << "cut at " << cut << " of " << bytes.size();
  }
}

TEST(LoadFullColorImage, CmykJpegIsConverted) {
  RawImage cmyk;
  cmyk.width = cmyk.height = 8;
  cmyk.components = 4;
  // Adobe's inverted form (libjpeg writes the Adobe marker): stored 255 is no ink.
  for (int i = 0; i < 64; ++i) cmyk.samples.insert(cmyk.samples.end(), {255, 0, 255, 255});
  const QImage image =
      LoadFullColorImage(WriteTestFile("cmyk.jpg", EncodeJpegWithLibjpeg(cmyk, 100)));
  ASSERT_EQ(image.size(), QSize(8, 8));
  const QRgb c = image.pixel(4, 4);
  EXPECT_GT(qRed(c), 245);
  EXPECT_LT(qGreen(c), 10);
  EXPECT_GT(qBlue(c), 245);
}

TEST(LoadFullColorImage, PngFollowsTheBackgroundRule) {
  for (const char* name : {"basn6a08.png", "basi3p02.png", "tbbn3p08.png", "basn4a16.png"}) {
    if (!QFile::exists(SuiteFile(name))) GTEST_SKIP() << "PNG suite missing";
    EXPECT_EQ(LoadFullColorImage(SuiteFile(name)), DecodePngReference(SuiteFile(name))) << name;
  }
}

TEST(LoadFullColorImage, FormatComesFromTheContentNotTheName) {
  BmpBuilder bmp;
  bmp.FillPattern();
  const QImage fromBmp = LoadFullColorImage(WriteTestFile("really_a_bmp.jpg", bmp.Build()));
  EXPECT_EQ(fromBmp.size(), QSize(bmp.width, bmp.height));
  const QByteArray gif =
      WriteGifWithGiflib(3, 2, {0, 1, 0, 1, 0, 1}, {qRgb(1, 2, 3), qRgb(4, 5, 6)});
  EXPECT_EQ(LoadFullColorImage(WriteTestFile("no_extension", gif)).pixel(1, 0), qRgb(4, 5, 6));
}

TEST(LoadFullColorImage, DamagedAndUnknownFilesGiveNull) {
  const QByteArray jpeg = EncodeJpegWithLibjpeg(Photo(16, 16), 90);
  QByteArray brokenJpeg = jpeg;
  for (int i = 4; i < brokenJpeg.size(); ++i) brokenJpeg[i] = static_cast<char>(i * 31);
  BmpBuilder bmp;
  bmp.FillPattern();
  GifBuilder tooLarge;
  tooLarge.globalTable = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  tooLarge.images.push_back({0, 0, 16385, 1, false, {}, 2, PackGifCodes({{4, 3}, {5, 3}}), true});
  GifBuilder noImage;
  const QByteArray progressive = EncodeJpegWithLibjpeg(Photo(16, 16), 90, true);
  const std::pair<const char*, QByteArray> cases[] = {
      {"jpeg start marker, then junk", QByteArray("\xFF\xD8 not a picture")},
      {"progressive jpeg cut in its frame header",
       progressive.left(progressive.indexOf("\xFF\xC2") + 6)},
      {"empty", QByteArray()},
      {"text", QByteArray("hello, picture")},
      {"jpeg garbage", brokenJpeg},
      {"bmp truncated", bmp.Build().left(60)},
      {"png signature only", QByteArray("\x89PNG\r\n\x1A\n", 8)},
      {"gif too wide", tooLarge.Build()},
      {"gif without image", noImage.Build()},
  };
  for (const auto& [name, bytes] : cases)
    EXPECT_TRUE(LoadFullColorImage(WriteTestFile("bad", bytes)).isNull()) << name;
  EXPECT_TRUE(LoadFullColorImage(testenv::ProgramDir() + "/absent.png").isNull());
  if (QFile::exists(SuiteFile("xcsn0g01.png"))) {
    EXPECT_TRUE(LoadFullColorImage(SuiteFile("xcsn0g01.png")).isNull());
  }
}

TEST(ReadImageFileSize, ReadsTheHeaderOnly) {
  BmpBuilder bmp;
  bmp.FillPattern();
  BmpBuilder core = bmp;
  core.headerSize = 12;
  BmpBuilder topDown = bmp;
  topDown.topDown = true;
  const QByteArray jpeg = EncodeJpegWithLibjpeg(Photo(300, 200), 80);
  GifBuilder gif;
  gif.screenWidth = 500;  // the logical screen does not count
  gif.screenHeight = 500;
  gif.globalTable = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  gif.images.push_back({3, 4, 640, 480, false, {}, 2, QByteArray(), false});
  gif.trailer = false;
  const QByteArray png = ReadFileBytes(SuiteFile("basn2c08.png"));

  // The files are cut short behind their headers: decoding them would fail.
  const std::tuple<const char*, QByteArray, QSize> cases[] = {
      {"bmp", bmp.Build().left(54), QSize(bmp.width, bmp.height)},
      {"bmp, core header", core.Build().left(26), QSize(bmp.width, bmp.height)},
      {"bmp, top-down", topDown.Build().left(54), QSize(bmp.width, bmp.height)},
      {"jpeg", jpeg.left(jpeg.size() / 3), QSize(300, 200)},
      {"gif", gif.Build(), QSize(640, 480)},
      {"png", png.left(33), png.isEmpty() ? QSize() : QSize(32, 32)},
  };
  for (const auto& [name, bytes, size] : cases) {
    if (bytes.isEmpty()) continue;
    const QString path = WriteTestFile("sized", bytes);
    EXPECT_EQ(ReadImageFileSize(path), size) << name;
    // BMP and PNG need their pixels; cut JPEG and GIF files show what they hold.
    if (std::string(name).starts_with("bmp") || std::string(name) == "png") {
      EXPECT_TRUE(LoadFullColorImage(path).isNull()) << name;
    }
  }
  for (const QByteArray& bad : {QByteArray(), QByteArray("BM"), QByteArray("GIF89a"),
                                QByteArray("\xFF\xD8\xFF\xE0", 4), QByteArray("plain text")})
    EXPECT_FALSE(ReadImageFileSize(WriteTestFile("bad", bad)).isValid()) << bad.toHex().data();
  EXPECT_FALSE(ReadImageFileSize(testenv::ProgramDir() + "/absent").isValid());
}

}  // namespace
