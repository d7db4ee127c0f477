#include "imaging/dib_file.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "bmp_builder.h"
#include "imaging/dib.h"
#include "platform/device_context.h"
#include "test_environment.h"

namespace {

PackedDibPtr LoadBytes(const QByteArray& bytes) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  return LoadDibFromDevice(buffer);
}

// The loaded bitmap as the screen would show it, through its own colour table.
QImage Render(const PackedDib& dib) {
  const BitmapInfoHeader header = dib.Header();
  QImage image(header.width, header.height, QImage::Format_RGB32);
  image.fill(Qt::black);
  DeviceContext dc(image);
  dc.StretchDIBits(0, 0, header.width, header.height, 0, 0, header.width, header.height, dib.Bits(),
                   DIB_RGB_COLORS, SRCCOPY);
  return image;
}

std::vector<QRgb> SixteenColors() {
  std::vector<QRgb> table;
  for (int i = 0; i < 16; ++i) table.push_back(qRgb(i * 16, 255 - i * 9, (i * 77) & 0xFF));
  return table;
}

struct FileCase {
  const char* name;
  BmpBuilder builder;
  bool qtReadsIt = true;  // Qt's reader as a second opinion on the colours
};

std::vector<FileCase> FileCases() {
  std::vector<FileCase> cases;
  auto add = [&](const char* name, BmpBuilder b, bool qt = true) {
    b.FillPattern();
    cases.push_back({name, b, qt});
  };
  BmpBuilder mono;
  mono.bitCount = 1;
  mono.width = 19;
  mono.table = {qRgb(10, 20, 30), qRgb(250, 240, 230)};
  add("1 bit", mono);
  BmpBuilder four;
  four.bitCount = 4;
  four.table = SixteenColors();
  add("4 bits", four);
  BmpBuilder eight;
  eight.bitCount = 8;
  eight.clrUsed = 16;
  eight.table = SixteenColors();
  add("8 bits, 16 colours used", eight);
  BmpBuilder sixteen;
  sixteen.bitCount = 16;
  add("16 bits 5-5-5", sixteen);
  BmpBuilder twentyFour;
  add("24 bits", twentyFour);
  BmpBuilder thirtyTwo;
  thirtyTwo.bitCount = 32;
  add("32 bits", thirtyTwo);
  BmpBuilder topDown;
  topDown.topDown = true;
  add("24 bits top-down", topDown);
  BmpBuilder fields16;
  fields16.bitCount = 16;
  fields16.compression = 3;
  fields16.masks[0] = 0xF800;
  fields16.masks[1] = 0x07E0;
  fields16.masks[2] = 0x001F;
  add("16 bits 5-6-5 bit fields", fields16);
  BmpBuilder fields32;
  fields32.bitCount = 32;
  fields32.compression = 3;
  fields32.masks[0] = 0x0000FF00;
  fields32.masks[1] = 0x00FF0000;
  fields32.masks[2] = 0xFF000000;
  add("32 bits bit fields", fields32);
  BmpBuilder v5 = fields32;
  v5.headerSize = 124;
  add("32 bits bit fields, version 5 header", v5);
  BmpBuilder core8;
  core8.headerSize = 12;
  core8.bitCount = 8;
  core8.table = SixteenColors();
  core8.table.resize(256, qRgb(1, 2, 3));
  add("core header, 8 bits", core8);
  BmpBuilder core24;
  core24.headerSize = 12;
  add("core header, 24 bits", core24);
  BmpBuilder headerless = eight;
  headerless.fileHeader = false;
  add("headerless 8 bits", headerless, false);
  return cases;
}

TEST(LoadDibFile, ReadsEveryDepthAndHeaderToTheRightColours) {
  for (const FileCase& c : FileCases()) {
    SCOPED_TRACE(c.name);
    const QByteArray bytes = c.builder.Build();
    const PackedDibPtr dib = LoadBytes(bytes);
    ASSERT_TRUE(dib);
    const BitmapInfoHeader header = dib->Header();
    EXPECT_EQ(header.size, 40u);
    EXPECT_EQ(header.width, c.builder.width);
    EXPECT_EQ(header.height, c.builder.height);  // positive: rows now bottom-up
    const QImage shown = Render(*dib);
    for (int y = 0; y < c.builder.height; ++y)
      for (int x = 0; x < c.builder.width; ++x)
        ASSERT_EQ(shown.pixel(x, y), c.builder.ColorAt(x, y)) << x << "," << y;
    if (c.qtReadsIt) {
      QBuffer buffer;
      buffer.setData(bytes);
      QImageReader reader(&buffer, "bmp");
      const QImage qt = AsRgb32(reader.read());
      ASSERT_FALSE(qt.isNull()) << reader.errorString().toStdString();
      // Qt widens 5-bit channels by shifting; compare what the bits say.
      const int tolerance = c.builder.bitCount == 16 ? 7 : 0;
      for (int y = 0; y < c.builder.height; ++y) {
        for (int x = 0; x < c.builder.width; ++x) {
          const QRgb a = shown.pixel(x, y), b = qt.pixel(x, y);
          ASSERT_LE(std::abs(qRed(a) - qRed(b)), tolerance) << x << "," << y;
          ASSERT_LE(std::abs(qGreen(a) - qGreen(b)), tolerance);
          ASSERT_LE(std::abs(qBlue(a) - qBlue(b)), tolerance);
        }
      }
    }
  }
}

TEST(LoadDibFile, HeaderlessFileReadsAsIfItsPixelsFollowedTheTable) {
  BmpBuilder b;
  b.bitCount = 8;
  b.table = SixteenColors();
  b.clrUsed = 16;
  b.FillPattern();
  BmpBuilder headerless = b;
  headerless.fileHeader = false;
  const PackedDibPtr with = LoadBytes(b.Build());
  const PackedDibPtr without = LoadBytes(headerless.Build());
  ASSERT_TRUE(with && without);
  EXPECT_EQ(std::vector<std::uint8_t>(with->Data(), with->Data() + with->Size()),
            std::vector<std::uint8_t>(without->Data(), without->Data() + without->Size()));
}

TEST(LoadDibFile, CoreHeaderBecomesFortyBytesWithFourByteEntriesInFileOrder) {
  BmpBuilder b;
  b.headerSize = 12;
  b.bitCount = 4;
  b.table = SixteenColors();
  b.FillPattern();
  const PackedDibPtr dib = LoadBytes(b.Build());
  ASSERT_TRUE(dib);
  const BitmapInfoHeader header = dib->Header();
  EXPECT_EQ(header.size, 40u);
  EXPECT_EQ(header.clrUsed, 16u);
  EXPECT_EQ(header.compression, 0u);
  for (int i = 0; i < 16; ++i) {
    const std::uint8_t* entry = dib->ColorTable() + 4 * i;
    EXPECT_EQ(qRgb(entry[2], entry[1], entry[0]), b.table[i]);
    EXPECT_EQ(entry[3], 0);
  }
}

TEST(LoadDibFile, EightBitsWithoutColoursUsedGetAFullTable) {
  BmpBuilder b;
  b.bitCount = 8;
  b.table = SixteenColors();
  b.table.resize(256, qRgb(9, 9, 9));
  b.FillPattern();
  const PackedDibPtr dib = LoadBytes(b.Build());
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->Header().clrUsed, 256u);
  EXPECT_EQ(DibColorTableBytes(*dib), 1024);
  EXPECT_EQ(dib->PixelOffset(), 40u + 1024u);
}

TEST(LoadDibFile, RunLengthDataIsKeptAsItStands) {
  // RLE8: two pixels of index 1, end of line, three of index 2, end of bitmap.
  const std::vector<std::uint8_t> rle = {2, 1, 0, 0, 3, 2, 0, 1};
  BmpBuilder b;
  b.bitCount = 8;
  b.width = 3;
  b.height = 2;
  b.compression = 1;
  b.table = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0)};
  b.clrUsed = 3;
  b.rawPixels = rle;
  const PackedDibPtr dib = LoadBytes(b.Build());
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->Header().compression, 1u);
  EXPECT_EQ(dib->Header().sizeImage, rle.size());
  ASSERT_EQ(dib->PixelBytes(), rle.size());
  EXPECT_TRUE(std::equal(rle.begin(), rle.end(), dib->Pixels()));
  // Qt reads the same file as the pixels the runs describe.
  QBuffer buffer;
  buffer.setData(b.Build());
  const QImage qt = AsRgb32(QImageReader(&buffer, "bmp").read());
  ASSERT_FALSE(qt.isNull());
  EXPECT_EQ(qt.pixel(0, 1), qRgb(255, 0, 0));
  EXPECT_EQ(qt.pixel(2, 0), qRgb(0, 255, 0));
}

TEST(LoadDibFile, DamagedFilesGiveNothing) {
  auto make = [](auto change) {
    BmpBuilder b;
    b.bitCount = 8;
    b.table = SixteenColors();
    b.clrUsed = 16;
    b.FillPattern();
    change(b);
    return b.Build();
  };
  auto patch32 = [](QByteArray bytes, int offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
    return bytes;
  };
  const QByteArray good = make([](BmpBuilder&) {});
  ASSERT_TRUE(LoadBytes(good));
  const std::pair<const char*, QByteArray> damaged[] = {
      {"empty", QByteArray()},
      {"13 bytes", good.left(13)},
      {"cut in the header", good.left(30)},
      {"cut in the colour table", good.left(14 + 40 + 20)},
      {"cut in the pixels", good.left(good.size() - 1)},
      {"header size 0", patch32(good, 14, 0)},
      {"header size 200", patch32(good, 14, 200)},
      {"width 0", patch32(good, 18, 0)},
      {"negative width", patch32(good, 18, static_cast<std::uint32_t>(-7))},
      {"height 0", patch32(good, 22, 0)},
      {"16385 wide", patch32(good, 18, 16385)},
      {"8192 x 8192 x 8 with few bytes", patch32(patch32(good, 18, 8192), 22, 8192)},
      {"bit count 7", make([](BmpBuilder& b) {
         b.bitCount = 7;
         b.values.clear();
         b.rawPixels = {0, 0};
       })},
      {"300 colours for 8 bits", patch32(good, 46, 300)},
      {"unknown compression", patch32(good, 30, 9)},
      {"pixel offset past the end", patch32(good, 10, 100000)},
      {"run-length data without its length", patch32(make([](BmpBuilder& b) {
                                                       b.compression = 1;
                                                       b.rawPixels = {0, 1};
                                                     }),
                                                     34, 0)},
  };
  for (const auto& [name, bytes] : damaged) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(LoadBytes(bytes));
  }
}

TEST(LoadDibFile, TopDownRunLengthDataIsRefused) {
  BmpBuilder b;
  b.bitCount = 8;
  b.compression = 1;
  b.topDown = true;
  b.table = SixteenColors();
  b.rawPixels = {0, 1};
  EXPECT_FALSE(LoadBytes(b.Build()));
}

TEST(SaveDibFile, RoundTripsByteForByte) {
  for (const FileCase& c : FileCases()) {
    SCOPED_TRACE(c.name);
    const PackedDibPtr first = LoadBytes(c.builder.Build());
    ASSERT_TRUE(first);
    const QString path = testenv::ProgramDir() + "/round.bmp";
    ASSERT_EQ(SaveDibFile(path, first.get()), 1);
    const PackedDibPtr second = LoadDibFile(path);
    ASSERT_TRUE(second);
    EXPECT_EQ(std::vector<std::uint8_t>(first->Data(), first->Data() + first->Size()),
              std::vector<std::uint8_t>(second->Data(), second->Data() + second->Size()));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray once = written.readAll();
    written.close();
    ASSERT_EQ(SaveDibFile(path, second.get()), 1);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), once);
  }
}

TEST(SaveDibFile, WritesACanonicalFileExactlyAsItWasRead) {
  BmpBuilder b;
  b.bitCount = 8;
  b.clrUsed = 16;
  b.table = SixteenColors();
  b.FillPattern();
  const QByteArray original = b.Build();
  const QString path = testenv::ProgramDir() + "/copy.bmp";
  ASSERT_EQ(SaveDibFile(path, LoadBytes(original).get()), 1);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), original);
}

TEST(SaveDibFile, ReportsWhatItCannotWrite) {
  const PackedDibPtr dib = NewDib(24, 4, 4);
  EXPECT_EQ(SaveDibFile(testenv::ProgramDir() + "/missing/folder/x.bmp", dib.get()), 0);
  EXPECT_EQ(SaveDibFile(testenv::ProgramDir() + "/x.bmp", nullptr), 0);
}

}  // namespace
