#include "picture_pyramid.h"

#include <algorithm>
#include <cmath>

namespace {

// Direct reductions stay within this factor, so that the sums of a block's channels fit the
// 16-bit lanes they are added in.
constexpr int kMaxDirectShift = 4;

// The picture reduced by 2^shift (shift 1 ... kMaxDirectShift): each pixel the rounded mean of
// the pixels of its block. The rows of a block are first summed per column, in one streaming
// pass over each row, and the column sums then per block.
// Made for wider vector units too where the processor has them: it runs over whole photos.
__attribute__((target_clones("avx2", "default"))) QImage Reduce(const QImage& source, int shift) {
  const int k = 1 << shift;
  const int width = source.width(), height = source.height();
  const int outWidth = (width + k - 1) >> shift, outHeight = (height + k - 1) >> shift;
  QImage out(outWidth, outHeight, QImage::Format_RGB32);
  if (out.isNull()) return out;
  // Red and blue in the two 16-bit halves of one word, green (and the unused byte) in another.
  std::vector<std::uint32_t> redBlue(width), green(width);
  for (int oy = 0; oy < outHeight; ++oy) {
    std::fill(redBlue.begin(), redBlue.end(), 0u);
    std::fill(green.begin(), green.end(), 0u);
    const int rows = std::min(k, height - oy * k);
    int r = 0;
    for (; r + 1 < rows; r += 2) {  // two rows at a time halve the traffic of the sums
      const auto* a = reinterpret_cast<const std::uint32_t*>(source.constScanLine(oy * k + r));
      const auto* b = reinterpret_cast<const std::uint32_t*>(source.constScanLine(oy * k + r + 1));
      for (int x = 0; x < width; ++x) {
        redBlue[x] += (a[x] & 0x00FF00FFu) + (b[x] & 0x00FF00FFu);
        green[x] += ((a[x] >> 8) & 0x00FF00FFu) + ((b[x] >> 8) & 0x00FF00FFu);
      }
    }
    if (r < rows) {
      const auto* a = reinterpret_cast<const std::uint32_t*>(source.constScanLine(oy * k + r));
      for (int x = 0; x < width; ++x) {
        redBlue[x] += a[x] & 0x00FF00FFu;
        green[x] += (a[x] >> 8) & 0x00FF00FFu;
      }
    }
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(oy));
    for (int ox = 0; ox < outWidth; ++ox) {
      const int x0 = ox * k, x1 = std::min(x0 + k, width);
      std::uint32_t rb = 0, g = 0;
      for (int x = x0; x < x1; ++x) {
        rb += redBlue[x];
        g += green[x];
      }
      const auto n = static_cast<std::uint32_t>(rows * (x1 - x0));
      auto mean = [n](std::uint32_t sum) { return static_cast<int>((2 * sum + n) / (2 * n)); };
      line[ox] = qRgb(mean(rb >> 16), mean(g & 0xFFFFu), mean(rb & 0xFFFFu));
    }
  }
  return out;
}

// Which pixels of one axis a run of screen pixels covers, and how much of each.
struct Footprints {
  std::vector<int> first;     // per screen pixel: first source pixel, -1 when it covers none
  std::vector<int> count;     // per screen pixel: number of source pixels
  std::vector<int> start;     // per screen pixel: its weights' offset in `weight`
  std::vector<float> weight;  // covered length of each source pixel
};

// Screen pixels low ... high-1 of a destination [destLow, destHigh) showing the source interval
// [sourceLow, sourceLow + sourceLength) of an axis that is `extent` long.
Footprints Cover(int low, int high, double destLow, double destHigh, double sourceLow,
                 double sourceLength, double extent) {
  Footprints f;
  const double scale = sourceLength / (destHigh - destLow);
  for (int u = low; u < high; ++u) {
    const double d0 = std::max<double>(u, destLow), d1 = std::min<double>(u + 1, destHigh);
    const double a = std::max(0.0, sourceLow + (d0 - destLow) * scale);
    const double b = std::min(extent, sourceLow + (d1 - destLow) * scale);
    f.start.push_back(static_cast<int>(f.weight.size()));
    if (d1 <= d0 || b <= a) {
      f.first.push_back(-1);
      f.count.push_back(0);
      continue;
    }
    const int i0 = static_cast<int>(std::floor(a));
    const int i1 = std::max(i0 + 1, static_cast<int>(std::ceil(b)));
    f.first.push_back(i0);
    f.count.push_back(i1 - i0);
    for (int i = i0; i < i1; ++i)
      f.weight.push_back(static_cast<float>(std::min<double>(b, i + 1) - std::max<double>(a, i)));
  }
  return f;
}

}  // namespace

PicturePyramid::PicturePyramid(const QImage& picture)
    : levels_{picture.convertToFormat(QImage::Format_RGB32)} {}

const QImage& PicturePyramid::Level(int level) const {
  level = std::max(0, level);
  if (level < static_cast<int>(levels_.size()) && !levels_[level].isNull()) return levels_[level];
  if (static_cast<int>(levels_.size()) <= level) levels_.resize(level + 1);
  // Straight from the picture while the block sums fit, beyond that from a coarser level, never
  // reducing more than the sums allow in one step.
  const int from =
      level <= kMaxDirectShift ? 0 : std::max(kMaxDirectShift, level - kMaxDirectShift);
  const QImage& source = Level(from);
  levels_[level] = Reduce(source, level - from);
  return levels_[level];
}

void PicturePyramid::Draw(QImage& out, const QRectF& dest, const QRectF& source,
                          const std::uint8_t* tone) const {
  // Copied: making a level may move the stored pictures.
  const int pictureWidth = levels_[0].width(), pictureHeight = levels_[0].height();
  if (levels_[0].isNull() || out.isNull() || dest.width() <= 0 || dest.height() <= 0 ||
      source.width() <= 0 || source.height() <= 0)
    return;
  // The coarsest level with at least two of its pixels per screen pixel both ways.
  const double perPixel = std::min(source.width() / dest.width(), source.height() / dest.height());
  int level = 0;
  while (perPixel / (1 << (level + 1)) >= 2 && (pictureWidth >> (level + 1)) >= 1 &&
         (pictureHeight >> (level + 1)) >= 1)
    ++level;
  const QImage& pixels = Level(level);
  if (pixels.isNull()) return;
  const double k = 1 << level;

  const int x0 = std::max(0, static_cast<int>(std::floor(dest.left())));
  const int y0 = std::max(0, static_cast<int>(std::floor(dest.top())));
  const int x1 = std::min(out.width(), static_cast<int>(std::ceil(dest.right())));
  const int y1 = std::min(out.height(), static_cast<int>(std::ceil(dest.bottom())));
  if (x1 <= x0 || y1 <= y0) return;
  const Footprints columns = Cover(x0, x1, dest.left(), dest.right(), source.left() / k,
                                   source.width() / k, pictureWidth / k);
  const Footprints rows = Cover(y0, y1, dest.top(), dest.bottom(), source.top() / k,
                                source.height() / k, pictureHeight / k);

  const int width = x1 - x0;
  // Each column's weight is the same for every row: summed once per draw.
  std::vector<float> columnWeights(static_cast<std::size_t>(width), 0.0f);
  for (int cx = 0; cx < width; ++cx) {
    float columnWeight = 0;
    for (int c = 0; c < columns.count[cx]; ++c)
      columnWeight += columns.weight[columns.start[cx] + c];
    columnWeights[cx] = columnWeight;
  }
  std::vector<float> sums(static_cast<std::size_t>(width) * 3);
  for (int y = y0; y < y1; ++y) {
    const int ry = y - y0;
    if (rows.first[ry] < 0) continue;
    std::fill(sums.begin(), sums.end(), 0.0f);
    float rowWeight = 0;
    for (int r = 0; r < rows.count[ry]; ++r) {
      const float wr = rows.weight[rows.start[ry] + r];
      rowWeight += wr;
      const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(rows.first[ry] + r));
      for (int cx = 0; cx < width; ++cx) {
        if (columns.first[cx] < 0) continue;
        float red = 0, green = 0, blue = 0;
        const float* w = &columns.weight[columns.start[cx]];
        const QRgb* p = in + columns.first[cx];
        for (int c = 0; c < columns.count[cx]; ++c) {
          red += w[c] * static_cast<float>(qRed(p[c]));
          green += w[c] * static_cast<float>(qGreen(p[c]));
          blue += w[c] * static_cast<float>(qBlue(p[c]));
        }
        sums[3 * cx] += wr * red;
        sums[3 * cx + 1] += wr * green;
        sums[3 * cx + 2] += wr * blue;
      }
    }
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int cx = 0; cx < width; ++cx) {
      if (columns.first[cx] < 0) continue;
      const float total = rowWeight * columnWeights[cx];
      auto channel = [&](int i) {
        const int v = std::clamp(static_cast<int>(sums[3 * cx + i] / total + 0.5f), 0, 255);
        return tone ? tone[v] : v;
      };
      line[x0 + cx] = qRgb(channel(0), channel(1), channel(2));
    }
  }
}
