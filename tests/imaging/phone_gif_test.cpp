#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <random>

#include "imaging/color_quantizer.h"
#include "imaging/gif_lzw_encoder.h"
#include "imaging/gif_writer.h"
#include "imaging/image_impl_gif.h"
#include "imaging/phone_gif_plan.h"

namespace {

// A GIF as giflib reads it: the first image's indices (top row first) and the global table.
struct GiflibPicture {
  bool ok = false;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;
  std::vector<Rgb8> table;
};

struct MemoryInput {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* input = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(length, input->bytes->size() - input->at);
  std::memcpy(out, input->bytes->data() + input->at, n);
  input->at += n;
  return static_cast<int>(n);
}

GiflibPicture DecodeWithGiflib(const std::vector<std::uint8_t>& bytes) {
  GiflibPicture picture;
  MemoryInput input{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
  if (!gif) return picture;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1 && gif->SColorMap) {
    const SavedImage& image = gif->SavedImages[0];
    picture.width = image.ImageDesc.Width;
    picture.height = image.ImageDesc.Height;
    picture.indices.assign(image.RasterBits, image.RasterBits + picture.width * picture.height);
    for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
      const GifColorType& c = gif->SColorMap->Colors[i];
      picture.table.push_back({c.Red, c.Green, c.Blue});
    }
    picture.ok = true;
  }
  DGifCloseFile(gif, &error);
  return picture;
}

// Our own reader's indices, top row first.
std::vector<std::uint8_t> DecodeWithOurReader(const std::vector<std::uint8_t>& bytes) {
  QByteArray copy(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  CImageImplGif image;
  if (!image.LoadFromDevice(buffer)) return {};
  std::vector<std::uint8_t> out;
  for (int y = image.Height() - 1; y >= 0; --y)
    for (int x = 0; x < image.Width(); ++x)
      out.push_back(static_cast<std::uint8_t>(image.PixelIndexAt(x, y)));
  return out;
}

// A photo-like picture: smooth gradients, an edge and fine noise.
QImage PhotoLike(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int n = static_cast<int>(random() % 9) - 4;
      const int edge = x > width / 2 ? 60 : 0;
      image.setPixel(
          x, y,
          qRgb(std::clamp(40 + 2 * x + n, 0, 255), std::clamp(200 - y + edge + n, 0, 255),
               std::clamp(90 + x + y / 2 - edge + n, 0, 255)));
    }
  return image;
}

std::vector<Rgb8> PixelsOf(const QImage& image) {
  std::vector<Rgb8> pixels;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      pixels.push_back({static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                        static_cast<std::uint8_t>(qBlue(c))});
    }
  return pixels;
}

double SquaredError(const std::vector<Rgb8>& pixels, const std::vector<Rgb8>& palette,
                    const std::vector<std::uint8_t>& indices) {
  double sum = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i)
    sum += ColorDistance(pixels[i], palette[indices[i]]);
  return sum;
}

}  // namespace

// Every code size, with runs (strings that repeat themselves at once) and noise, in pictures
// large enough for the string table to fill and start afresh many times, at both table limits.
TEST(GifLzwEncoder, GiflibAndOurReaderDecodeExactlyTheIndices) {
  std::mt19937 random(5);
  for (int codeSize = 2; codeSize <= 8; ++codeSize) {
    const int colors = 1 << codeSize;
    std::vector<Rgb8> palette;
    for (int i = 0; i < colors; ++i)
      palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                         static_cast<std::uint8_t>(i * 7)});
    const int width = 301, height = 97;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < indices.size(); ++i)
      indices[i] =
          static_cast<std::uint8_t>(i % 1000 < 300 ? (i / 50) % colors : random() % colors);
    for (const int limit : {1024, 4096}) {
      GifLzwEncoder encoder(codeSize, limit);
      const auto bytes =
          GifFileBytes(width, height, codeSize, palette, codeSize, encoder.Encode(indices));
      const GiflibPicture decoded = DecodeWithGiflib(bytes);
      ASSERT_TRUE(decoded.ok) << codeSize << " / " << limit;
      EXPECT_EQ(decoded.indices, indices) << codeSize << " / " << limit;
      EXPECT_EQ(decoded.table, palette);
      EXPECT_EQ(DecodeWithOurReader(bytes), indices) << codeSize << " / " << limit;
    }
  }
}

// A table keeps its size when the picture uses fewer of its entries and a narrower code size;
// sizes a GIF cannot store give no file.
TEST(GifFileBytes, TableKeepsItsSizeAndSizesAGifCannotHoldGiveNoFile) {
  const std::vector<Rgb8> palette = {{10, 20, 30}, {200, 0, 0}, {0, 0, 255}, {1, 2, 3}, {9, 9, 9}};
  std::vector<std::uint8_t> indices(40 * 30);
  for (std::size_t i = 0; i < indices.size(); ++i)
    indices[i] = static_cast<std::uint8_t>(i * 7 % 5);
  const auto codes = GifLzwEncoder(GifMinCodeSize(5)).Encode(indices);
  const auto bytes = GifFileBytes(40, 30, 8, palette, GifMinCodeSize(5), codes);
  EXPECT_EQ(bytes.size(), GifFileSize(8, codes.size()));
  const GiflibPicture decoded = DecodeWithGiflib(bytes);
  ASSERT_TRUE(decoded.ok);
  ASSERT_EQ(decoded.table.size(), 256u);
  EXPECT_TRUE(std::equal(palette.begin(), palette.end(), decoded.table.begin()));
  EXPECT_EQ(decoded.indices, indices);
  EXPECT_TRUE(GifFileBytes(70000, 1, 8, palette, 3, codes).empty());
}

// Lossy codes decode to what the encoder says is shown, no pixel strays further than the
// tolerance allows, and the codes get shorter.
TEST(GifLzwEncoder, LossyCodesShowWhatTheyClaimWithinTheTolerance) {
  const std::vector<Rgb8> pixels = PixelsOf(PhotoLike(96, 91, 3));
  const ColorQuantizer quantizer(pixels);
  std::vector<std::uint8_t> indices;
  const std::vector<Rgb8> palette =
      quantizer.Palette(200, ColorQuantizer::kSettledRounds, &indices);
  const int codeSize = GifMinCodeSize(static_cast<int>(palette.size()));
  const auto lossless = GifLzwEncoder(codeSize, 1024).Encode(indices);
  const int tolerance = 300;
  std::vector<std::uint8_t> shown;
  const auto lossy =
      GifLzwEncoder(codeSize, 1024).Encode(indices, pixels, palette, tolerance, &shown);
  const GiflibPicture decoded = DecodeWithGiflib(GifFileBytes(96, 91, 8, palette, codeSize, lossy));
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.indices, shown);
  EXPECT_NE(shown, indices);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    ASSERT_LE(ColorDistance(pixels[i], palette[shown[i]]),
              ColorDistance(pixels[i], palette[indices[i]]) + tolerance)
        << i;
  EXPECT_LT(lossy.size(), lossless.size() * 9 / 10);
}

TEST(ColorQuantizer, KeepsFewColoursExactlyAndFindsSeparatedClusters) {
  // 37 colours with uneven counts: any palette of 37 or more entries reproduces them.
  std::mt19937 random(11);
  std::vector<Rgb8> few;
  for (int i = 0; i < 37; ++i) {
    const Rgb8 color{static_cast<std::uint8_t>(i * 6), static_cast<std::uint8_t>(random() % 256),
                     static_cast<std::uint8_t>(i % 3 * 100)};
    few.insert(few.end(), 1 + i % 5, color);
  }
  std::shuffle(few.begin(), few.end(), random);
  const ColorQuantizer exact(few);
  EXPECT_EQ(exact.DistinctColors(), 37);
  for (const int colors : {37, 256}) {
    std::vector<std::uint8_t> indices;
    const auto palette = exact.Palette(colors, ColorQuantizer::kSettledRounds, &indices);
    EXPECT_EQ(palette.size(), 37u);
    EXPECT_EQ(SquaredError(few, palette, indices), 0) << colors;
  }

  // Four tight clusters of unequal size: four entries land on their means.
  const Rgb8 centres[4] = {{30, 30, 30}, {220, 40, 40}, {40, 200, 60}, {120, 120, 230}};
  std::vector<Rgb8> clusters;
  double scatter = 0;
  for (int c = 0; c < 4; ++c)
    for (int n = 0; n < 100 * (c + 1); ++n) {
      const int dr = n % 5 - 2, dg = n / 5 % 5 - 2, db = n / 25 % 5 - 2;
      clusters.push_back({static_cast<std::uint8_t>(centres[c].r + dr),
                          static_cast<std::uint8_t>(centres[c].g + dg),
                          static_cast<std::uint8_t>(centres[c].b + db)});
    }
  const ColorQuantizer quantizer(clusters);
  std::vector<std::uint8_t> indices;
  const auto palette = quantizer.Palette(4, ColorQuantizer::kSettledRounds, &indices);
  ASSERT_EQ(palette.size(), 4u);
  for (const Rgb8& centre : centres)
    EXPECT_TRUE(std::any_of(palette.begin(), palette.end(), [&](const Rgb8& e) {
      return ColorDistance(e, centre) <= 2;
    })) << int{centre.r};
  for (std::size_t i = 0; i < clusters.size(); ++i)
    scatter +=
        std::min({ColorDistance(clusters[i], centres[0]), ColorDistance(clusters[i], centres[1]),
                  ColorDistance(clusters[i], centres[2]), ColorDistance(clusters[i], centres[3])});
  EXPECT_LE(SquaredError(clusters, palette, indices), scatter * 1.05);
}

// For pictures of every kind: each file holds its table size and decodes to pixels whose error
// is the one the plan counted, and the file the rule attaches is the best-looking one.
TEST(PhoneGifPlan, RuleAttachesTheBestLookingFileAndFilesShowWhatWasCounted) {
  QImage flat(96, 91, QImage::Format_RGB32);
  flat.fill(qRgb(250, 240, 10));
  QImage noise(96, 91, QImage::Format_RGB32);
  std::mt19937 random(2);
  for (int y = 0; y < noise.height(); ++y)
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, random() & 0xFFFFFF);
  // Seventy colours scattered at random: a smaller table looks best, and a larger table's file
  // that fits must stand back.
  QImage scattered(96, 91, QImage::Format_RGB32);
  std::mt19937 pick(1);
  std::vector<QRgb> seventy;
  for (int i = 0; i < 70; ++i) seventy.push_back(pick() & 0xFFFFFF);
  for (int y = 0; y < scattered.height(); ++y)
    for (int x = 0; x < scattered.width(); ++x) scattered.setPixel(x, y, seventy[pick() % 70]);
  std::vector<QImage> pictures = {PhotoLike(96, 91, 1), PhotoLike(96, 91, 2).scaled(40, 30), flat,
                                  noise, scattered};
  // A busy photo, where bytes run out before colours do.
  const QImage busy(QStringLiteral(QUILLORA_PNGSUITE_DIR "/../photos96/kodim05.png"));
  if (!busy.isNull()) pictures.push_back(busy);
  for (const QImage& picture : pictures) {
    const PhoneGifPlan plan(picture);
    const std::vector<Rgb8> pixels = PixelsOf(picture);
    const int attached = plan.AttachedBits();
    ASSERT_NE(attached, 0) << picture.width();
    const auto& chosen = plan.FileFor(attached);
    EXPECT_LT(chosen.bytes.size(), static_cast<std::size_t>(PhoneGifPlan::kBudget));
    for (int bits = 5; bits <= 8; ++bits) {
      const auto& file = plan.FileFor(bits);
      const GiflibPicture decoded = DecodeWithGiflib(file.bytes);
      ASSERT_TRUE(decoded.ok) << bits;
      EXPECT_EQ(decoded.table.size(), std::size_t{1} << bits);
      EXPECT_EQ(decoded.width, picture.width());
      EXPECT_NEAR(SquaredError(pixels, decoded.table, decoded.indices), file.squaredError, 0.5);
      EXPECT_LE(file.colors, 1 << bits);
      // No file that fits looks better, and none that looks worse is attached instead.
      if (file.bytes.size() < static_cast<std::size_t>(PhoneGifPlan::kBudget)) {
        EXPECT_LE(chosen.squaredError, file.squaredError) << bits;
        EXPECT_TRUE(file.bytes.size() < chosen.bytes.size() || bits == attached ||
                    file.squaredError == chosen.squaredError)
            << bits;
      }
    }
  }
}
