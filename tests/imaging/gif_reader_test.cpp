#include <gtest/gtest.h>

#include <QBuffer>
#include <random>

#include "codec_reference.h"
#include "gif_builder.h"
#include "imaging/gif_input.h"
#include "imaging/gif_line_writer.h"
#include "imaging/gif_lzw_decoder.h"
#include "imaging/image_impl_gif.h"
#include "imaging/image_object.h"
#include "test_environment.h"

namespace {

std::vector<QRgb> Colors(int count) {
  std::vector<QRgb> colors;
  for (int i = 0; i < count; ++i) colors.push_back(qRgb(i * 7 % 256, 255 - i, (i * 31) % 251));
  return colors;
}

// Pixel indices of the picture, top row first.
std::vector<std::uint8_t> TopDownIndices(const CImageImpl& image) {
  std::vector<std::uint8_t> out;
  for (int y = image.Height() - 1; y >= 0; --y)
    for (int x = 0; x < image.Width(); ++x)
      out.push_back(static_cast<std::uint8_t>(image.PixelIndexAt(x, y)));
  return out;
}

int LoadBytes(CImageImplGif& image, const QByteArray& bytes) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  return image.LoadFromDevice(buffer);
}

// A one-image GIF around the given codes with a 4-colour global table (code size 2:
// clear 4, end 5, first free code 6).
QByteArray TinyGif(int width, int height, const std::vector<std::pair<int, int>>& codes,
                   bool interlaced = false) {
  GifBuilder gif;
  gif.screenWidth = width;
  gif.screenHeight = height;
  gif.globalTable = Colors(4);
  GifImageBlock image;
  image.width = width;
  image.height = height;
  image.interlaced = interlaced;
  image.codeSize = 2;
  image.data = PackGifCodes(codes);
  gif.images.push_back(image);
  return gif.Build();
}

std::vector<std::uint8_t> Pattern(int width, int height, int colors, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
  // Runs of equal pixels and noise, so that both long and short strings occur.
  for (std::size_t i = 0; i < indices.size(); ++i)
    indices[i] = static_cast<std::uint8_t>(
        random() % 4 == 0 ? random() % colors
                          : (i / 7 + i / static_cast<std::size_t>(width)) % colors);
  return indices;
}

// ---- the decoder and the line writer on their own

struct DecodeResult {
  int answer = 0;
  int badCodes = 0;
  std::vector<std::uint8_t> pixels;  // top row first
};

DecodeResult DecodeCodes(int width, int height, const QByteArray& stream) {
  QByteArray copy = stream;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  GifInput input(buffer);
  DecodeResult result;
  result.pixels.assign(static_cast<std::size_t>(width) * height, 0xEE);
  GifLineWriter writer(result.pixels.data(), width, width, height, false);
  GifLzwDecoder decoder(input, writer);
  result.answer = decoder.Decode(width);
  result.badCodes = decoder.BadCodeCount();
  return result;
}

QByteArray CodeStream(int codeSize, const std::vector<std::pair<int, int>>& codes) {
  QByteArray stream(1, static_cast<char>(codeSize));
  stream.append(PackGifCodes(codes));
  stream.append('\0');
  return stream;
}

TEST(GifLzwDecoder, KwKwKCodeGivesTheOldStringAndItsFirstCharacter) {
  // clear, 1, then 6 = the next free slot: "1" + "1"; then 7 (free again): "11" + "1".
  const auto result = DecodeCodes(6, 1, CodeStream(2, {{4, 3}, {1, 3}, {6, 3}, {7, 3}, {5, 4}}));
  EXPECT_EQ(result.answer, 0);
  EXPECT_EQ(result.badCodes, 0);
  EXPECT_EQ(result.pixels, (std::vector<std::uint8_t>{1, 1, 1, 1, 1, 1}));
}

TEST(GifLzwDecoder, CodeBeyondTheFreeSlotCountsAsBadAndDecodesLikeKwKwK) {
  // clear, 2, then 7 while 6 is free: bad, decoded as "2" + "2"; then 3.
  const auto result = DecodeCodes(4, 1, CodeStream(2, {{4, 3}, {2, 3}, {7, 3}, {3, 3}, {5, 4}}));
  EXPECT_EQ(result.badCodes, 1);
  EXPECT_EQ(result.pixels, (std::vector<std::uint8_t>{2, 2, 2, 3}));
}

TEST(GifLzwDecoder, CodeThatChainsIntoItselfEndsDecodingInsteadOfOverflowing) {
  // The bad code 7 becomes the old code, so slot 7 is defined with prefix 7: a loop.
  const auto result =
      DecodeCodes(8, 1, CodeStream(2, {{4, 3}, {2, 3}, {7, 3}, {1, 3}, {7, 4}, {5, 4}}));
  EXPECT_EQ(result.answer, GifLzwDecoder::kEndlessCode);
  // What came before the loop is kept: 2, 2 2, 1 (the partial line is not written).
  EXPECT_EQ(result.pixels[0], 0xEE);
}

TEST(GifLzwDecoder, ReportsCodeSizesOutsideTwoToNine) {
  for (int size : {0, 1, 10, 12}) {
    const auto result = DecodeCodes(2, 1, CodeStream(size, {{0, 3}}));
    EXPECT_EQ(result.answer, GifLzwDecoder::kBadCodeSize) << size;
  }
}

TEST(GifLzwDecoder, ZeroLengthSubBlockEndsTheData) {
  // Two lines in exactly two bytes, no end code, the terminator, and then bytes that would
  // make a third line if they were taken as more data.
  QByteArray stream(1, '\2');
  stream.append(PackGifCodes({{4, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 4}}));
  stream.append('\0');
  stream.append(PackGifCodes({{2, 4}, {2, 4}, {5, 4}}));
  const auto result = DecodeCodes(2, 3, stream);
  EXPECT_EQ(result.answer, 0);
  EXPECT_EQ(result.pixels, (std::vector<std::uint8_t>{1, 1, 1, 1, 0xEE, 0xEE}));
}

TEST(GifLzwDecoder, LineBeyondTheLastRowStopsANonInterlacedImage) {
  const auto result = DecodeCodes(1, 2, CodeStream(2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {5, 3}}));
  EXPECT_EQ(result.answer, GifLineWriter::kNoRowLeft);
  EXPECT_EQ(result.pixels, (std::vector<std::uint8_t>{1, 2}));
}

TEST(GifLineWriter, InterlacedLinesGoToThePassRowsInOrder) {
  struct Case {
    int height;
    std::vector<int> rows;  // picture row of line 0, 1, 2, ...
  };
  const Case cases[] = {
      {5, {0, 4, 2, 1, 3}},
      {4, {0, 2, 1, 3}},
      {1, {0}},
      {2, {0, 1}},
      {10, {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(c.height), 0xFF);
    GifLineWriter writer(rows.data(), 1, 1, c.height, true);
    for (int line = 0; line < c.height; ++line) {
      const auto value = static_cast<std::uint8_t>(line);
      ASSERT_EQ(writer.Write(&value, 1), 0);
    }
    for (int line = 0; line < c.height; ++line)
      EXPECT_EQ(rows[static_cast<std::size_t>(c.rows[line])], line)
          << "height " << c.height << " line " << line;
  }
}

TEST(GifLineWriter, EmptyPictureRefusesLinesAndWritesNothing) {
  std::uint8_t row[4] = {7, 7, 7, 7};
  const std::uint8_t line[4] = {1, 2, 3, 4};
  for (bool interlaced : {false, true}) {
    GifLineWriter noRows(row, 4, 4, 0, interlaced);
    EXPECT_EQ(noRows.Write(line, 4), GifLineWriter::kNoRowLeft);
    GifLineWriter noColumns(row, 4, 0, 1, interlaced);
    EXPECT_EQ(noColumns.Write(line, 4), GifLineWriter::kNoRowLeft);
  }
  EXPECT_EQ(row[0], 7);
}

TEST(GifLineWriter, NeverCopiesMoreThanTheWidth) {
  std::uint8_t rows[2][4] = {};
  const std::uint8_t line[6] = {1, 2, 3, 4, 5, 6};
  GifLineWriter writer(rows[0], 4, 3, 2, false);
  EXPECT_EQ(writer.Write(line, 6), 0);
  EXPECT_EQ(rows[0][3], 0);
  EXPECT_EQ(writer.Write(line, -1), 0);  // the width
  EXPECT_EQ(rows[1][2], 3);
  EXPECT_EQ(rows[1][3], 0);
}

// ---- whole files

TEST(CImageImplGif, TransparentIndexGetsABlackEntryAndWhiteFillsTheTable) {
  GifBuilder gif;
  gif.screenWidth = gif.screenHeight = 2;
  gif.globalTable = Colors(8);
  gif.graphicControl = true;
  gif.controlFlags = 1;
  gif.transparentIndex = 5;
  gif.images.push_back({0,
                        0,
                        2,
                        2,
                        false,
                        {},
                        3,
                        PackGifCodes({{8, 4}, {5, 4}, {1, 4}, {5, 4}, {2, 4}, {9, 4}}),
                        true});
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image, gif.Build()), 1);
  EXPECT_EQ(image.TransparentIndex(), 5);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->Get()->Size(), 256);
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(image.Palette()->EntryAt(5, r, g, b), 1);
  EXPECT_EQ(qRgb(r, g, b), qRgb(0, 0, 0));
  image.Palette()->EntryAt(4, r, g, b);
  EXPECT_EQ(qRgb(r, g, b), Colors(8)[4]);
  for (int i : {8, 100, 255}) {
    image.Palette()->EntryAt(i, r, g, b);
    EXPECT_EQ(qRgb(r, g, b), qRgb(255, 255, 255)) << i;
  }
  EXPECT_EQ(TopDownIndices(image), (std::vector<std::uint8_t>{5, 1, 5, 2}));
}

TEST(CImageImplGif, PaletteKeepsTheTableSizeWithoutTransparency) {
  const auto indices = Pattern(9, 4, 16, 1);
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image, WriteGifWithGiflib(9, 4, indices, Colors(16))), 1);
  EXPECT_EQ(image.Depth(), 8);
  EXPECT_EQ(image.ColorType(), kColorPalette);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->Get()->Size(), 16);
  EXPECT_EQ(image.TransparentIndex(), -1);
  EXPECT_EQ(TopDownIndices(image), indices);
}

TEST(CImageImplGif, NoColorTableGivesNoPalette) {
  GifBuilder gif;
  gif.screenWidth = gif.screenHeight = 1;
  gif.images.push_back(
      {0, 0, 2, 1, false, {}, 2, PackGifCodes({{4, 3}, {3, 3}, {3, 3}, {5, 3}}), true});
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image, gif.Build()), 1);
  EXPECT_TRUE(image.HasBitmap());
  EXPECT_EQ(image.Palette(), nullptr);
  EXPECT_EQ(image.ColorType(), kColorGrey);
  EXPECT_EQ(TopDownIndices(image), (std::vector<std::uint8_t>{3, 3}));
}

TEST(CImageImplGif, LocalTableReplacesTheGlobalOne) {
  GifBuilder gif;
  gif.screenWidth = gif.screenHeight = 1;
  gif.globalTable = Colors(4);
  const std::vector<QRgb> local = {qRgb(1, 2, 3), qRgb(4, 5, 6)};
  gif.images.push_back({0, 0, 1, 1, false, local, 2, PackGifCodes({{4, 3}, {1, 3}, {5, 3}}), true});
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image, gif.Build()), 1);
  EXPECT_EQ(image.Palette()->Get()->Size(), 2);
  int r = 0, g = 0, b = 0;
  EXPECT_EQ(image.PixelColorAt(0, 0, r, g, b), 1);
  EXPECT_EQ(qRgb(r, g, b), qRgb(4, 5, 6));
}

TEST(CImageImplGif, InterlacedFilesMatchTheirPicture) {
  for (int height : {1, 2, 4, 5, 9, 17, 33}) {
    const auto indices = Pattern(13, height, 64, static_cast<unsigned>(height));
    CImageImplGif image;
    ASSERT_EQ(LoadBytes(image, WriteGifWithGiflib(13, height, indices, Colors(64), true)), 1);
    EXPECT_EQ(TopDownIndices(image), indices) << height;
  }
}

TEST(CImageImplGif, ReadsWhatGiflibWritesAtEveryCodeSize) {
  for (int colors : {2, 4, 8, 16, 32, 64, 128, 256}) {
    // Large enough for the code table to fill up and be cleared several times.
    const auto indices = Pattern(301, 97, colors, static_cast<unsigned>(colors));
    CImageImplGif image;
    ASSERT_EQ(LoadBytes(image, WriteGifWithGiflib(301, 97, indices, Colors(colors))), 1);
    EXPECT_EQ(TopDownIndices(image), indices) << colors << " colours";
  }
}

TEST(CImageImplGif, TruncatedFileKeepsTheRowsReadSoFar) {
  const int width = 64, height = 64;
  const auto indices = Pattern(width, height, 256, 7);
  const QByteArray whole = WriteGifWithGiflib(width, height, indices, Colors(256));
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image, whole.left(whole.size() / 2)), 1);
  const auto read = TopDownIndices(image);
  // The first rows are there, the last row was never reached and stays index 0.
  EXPECT_TRUE(std::equal(indices.begin(), indices.begin() + 4 * width, read.begin()));
  EXPECT_TRUE(std::all_of(read.end() - width, read.end(), [](std::uint8_t v) { return v == 0; }));
}

TEST(CImageImplGif, DamagedFileDecodesTheSameAfterAnotherFile) {
  // No clear code, and the bad code 15 becomes the prefix of slot 12, so expanding code 12
  // reaches entry 15, which this file never defines.
  GifBuilder gif;
  gif.screenWidth = 6;
  gif.screenHeight = 1;
  gif.globalTable = Colors(8);
  gif.images.push_back(
      {0, 0, 6, 1, false, {}, 3, PackGifCodes({{1, 4}, {15, 4}, {2, 4}, {12, 4}, {9, 4}}), true});
  const QByteArray damaged = gif.Build();
  CImageImplGif fresh;
  ASSERT_EQ(LoadBytes(fresh, damaged), 1);
  const auto alone = TopDownIndices(fresh);
  EXPECT_EQ(alone, (std::vector<std::uint8_t>{1, 1, 1, 2, 0, 0}));

  // A file of the same code size that fills the whole table first.
  CImageImplGif reused;
  const auto big = Pattern(200, 50, 8, 3);
  ASSERT_EQ(LoadBytes(reused, WriteGifWithGiflib(200, 50, big, Colors(8))), 1);
  ASSERT_EQ(LoadBytes(reused, damaged), 1);
  EXPECT_EQ(TopDownIndices(reused), alone);
}

TEST(CImageImplGif, OnlyTheFirstImageIsRead) {
  GifBuilder gif;
  gif.screenWidth = gif.screenHeight = 4;
  gif.globalTable = Colors(4);
  gif.images.push_back(
      {0, 0, 2, 1, false, {}, 2, PackGifCodes({{4, 3}, {1, 3}, {2, 3}, {5, 3}}), true});
  gif.images.push_back({0, 0, 3, 3, false, {}, 2, PackGifCodes({{4, 3}, {3, 3}, {5, 3}}), true});
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image, gif.Build()), 1);
  EXPECT_EQ(image.Width(), 2);
  EXPECT_EQ(TopDownIndices(image), (std::vector<std::uint8_t>{1, 2}));
}

TEST(CImageImplGif, InterlacedImageWithoutEndCodeIsNotOverwrittenByWhatFollows) {
  // Four lines, no end code, then the next image: its bytes must not become more lines.
  GifBuilder gif;
  gif.screenWidth = gif.screenHeight = 4;
  gif.globalTable = Colors(4);
  gif.images.push_back(
      {0, 0, 1, 4, true, {}, 2, PackGifCodes({{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}}), true});
  gif.images.push_back({0,
                        0,
                        1,
                        4,
                        false,
                        {},
                        2,
                        PackGifCodes({{4, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {5, 4}}),
                        true});
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image, gif.Build()), 1);
  // Lines 0, 1, 2, 3 go to rows 0, 2, 1, 3.
  EXPECT_EQ(TopDownIndices(image), (std::vector<std::uint8_t>{0, 2, 1, 3}));
}

TEST(CImageImplGif, FilesWithoutAUsablePictureFailAndLeaveTheImage) {
  GifBuilder zeroWidth;
  zeroWidth.globalTable = Colors(4);
  zeroWidth.images.push_back({0, 0, 0, 5, false, {}, 2, PackGifCodes({{4, 3}, {5, 3}}), true});
  GifBuilder zeroHeightInterlaced = zeroWidth;
  zeroHeightInterlaced.images[0].width = 5;
  zeroHeightInterlaced.images[0].height = 0;
  zeroHeightInterlaced.images[0].interlaced = true;
  GifBuilder tooWide = zeroWidth;
  tooWide.images[0].width = 20000;
  tooWide.images[0].height = 1;
  GifBuilder noImage;
  noImage.globalTable = Colors(4);
  GifBuilder badControl = noImage;
  badControl.graphicControl = true;
  badControl.controlBlockSize = 5;
  badControl.images = zeroWidth.images;
  badControl.images[0].width = 1;
  QByteArray notGif = TinyGif(1, 1, {{4, 3}, {1, 3}, {5, 3}});
  notGif[3] = '7';

  const std::pair<const char*, QByteArray> cases[] = {
      {"zero width", zeroWidth.Build()},
      {"zero height, interlaced", zeroHeightInterlaced.Build()},
      {"too wide", tooWide.Build()},
      {"no image", noImage.Build()},
      {"graphic control of the wrong size", badControl.Build()},
      {"signature", notGif},
      {"empty", QByteArray()},
      {"header only", QByteArray("GIF89a\1\0")},
  };
  for (const auto& [name, bytes] : cases) {
    CImageImplGif image;
    ASSERT_EQ(LoadBytes(image, TinyGif(3, 1, {{4, 3}, {2, 3}, {1, 3}, {3, 3}, {5, 3}})), 1);
    EXPECT_EQ(LoadBytes(image, bytes), 0) << name;
    EXPECT_EQ(image.Width(), 3) << name;
    EXPECT_EQ(TopDownIndices(image), (std::vector<std::uint8_t>{2, 1, 3})) << name;
  }
}

TEST(CImageImplGif, ReadingAFileWithoutTransparencyDropsAnEarlierIndex) {
  const QString transparent =
      WriteTestFile("t.gif", WriteGifWithGiflib(2, 2, {0, 1, 2, 3}, Colors(4), false, 2));
  const QString opaque = WriteTestFile("o.gif", WriteGifWithGiflib(2, 2, {0, 1, 2, 3}, Colors(4)));
  CImageObject image;
  ASSERT_EQ(image.LoadFromFile(transparent), 1);
  EXPECT_EQ(image.Implementation()->TransparentIndex(), 2);
  ASSERT_EQ(image.LoadFromFile(opaque), 1);
  EXPECT_EQ(image.Implementation()->TransparentIndex(), -1);
}

TEST(CImageImplGif, TransparentDrawingFindsPureWhiteWhenTheTransparentEntryWasTheOnlyWhite) {
  // 256 colours, the only white one is the transparent index: a white entry must remain.
  std::vector<QRgb> colors(256);
  for (int i = 0; i < 256; ++i) colors[i] = qRgb(i / 2, i / 3, i / 4);
  colors[200] = qRgb(255, 255, 255);
  for (int t : {200, 255}) {
    CImageImplGif image;
    ASSERT_EQ(LoadBytes(image, WriteGifWithGiflib(2, 1, {200, 3}, colors, false, t)), 1);
    const int white = image.Palette()->NearestIndex(255, 255, 255);
    int r = 0, g = 0, b = 0;
    image.Palette()->EntryAt(white, r, g, b);
    EXPECT_EQ(qRgb(r, g, b), qRgb(255, 255, 255)) << t;
    EXPECT_NE(white, t);
    image.Palette()->EntryAt(t, r, g, b);
    EXPECT_EQ(qRgb(r, g, b), qRgb(0, 0, 0)) << t;
  }
}

TEST(CImageImplGif, TransparentIndexBeyondTheTableIsStillBlack) {
  CImageImplGif image;
  ASSERT_EQ(LoadBytes(image,
                      WriteGifWithGiflib(2, 1, {0, 1}, {qRgb(9, 9, 9), qRgb(255, 0, 0)}, false, 9)),
            1);
  int r = 0, g = 0, b = 0;
  image.Palette()->EntryAt(9, r, g, b);
  EXPECT_EQ(qRgb(r, g, b), qRgb(0, 0, 0));
  image.Palette()->EntryAt(10, r, g, b);
  EXPECT_EQ(qRgb(r, g, b), qRgb(255, 255, 255));
}

}  // namespace
