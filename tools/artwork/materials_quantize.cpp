#include "materials_quantize.h"

#include <QHash>
#include <algorithm>
#include <climits>
#include <vector>

namespace {

struct ColourCount {
  QRgb colour;
  int count;
};

using Box = std::vector<ColourCount>;

int channel(QRgb colour, int which) {
  return which == 0 ? qRed(colour) : which == 1 ? qGreen(colour) : qBlue(colour);
}

// The channel along which the box's colours spread the most, and that spread.
std::pair<int, int> widestChannel(const Box& box) {
  int best = 0;
  int bestSpread = -1;
  for (int which = 0; which < 3; ++which) {
    const auto [low, high] = std::minmax_element(
        box.begin(), box.end(), [which](const ColourCount& a, const ColourCount& b) {
          return channel(a.colour, which) < channel(b.colour, which);
        });
    const int spread = channel(high->colour, which) - channel(low->colour, which);
    if (spread > bestSpread) {
      best = which;
      bestSpread = spread;
    }
  }
  return {best, bestSpread};
}

// Splits at the pixel-weighted median, so both halves keep at least one colour.
std::pair<Box, Box> splitBox(Box box) {
  const int which = widestChannel(box).first;
  std::stable_sort(box.begin(), box.end(), [which](const ColourCount& a, const ColourCount& b) {
    return channel(a.colour, which) < channel(b.colour, which);
  });
  long total = 0;
  for (const ColourCount& entry : box) total += entry.count;
  long seen = 0;
  std::size_t cut = 1;
  for (; cut < box.size() - 1; ++cut) {
    seen += box[cut - 1].count;
    if (seen * 2 >= total) break;
  }
  return {Box(box.begin(), box.begin() + long(cut)), Box(box.begin() + long(cut), box.end())};
}

QRgb averageColour(const Box& box) {
  double red = 0, green = 0, blue = 0, total = 0;
  for (const ColourCount& entry : box) {
    red += qRed(entry.colour) * double(entry.count);
    green += qGreen(entry.colour) * double(entry.count);
    blue += qBlue(entry.colour) * double(entry.count);
    total += entry.count;
  }
  return qRgb(int(red / total + 0.5), int(green / total + 0.5), int(blue / total + 0.5));
}

}  // namespace

QList<QRgb> medianCutPalette(const QImage& image, int maxColours, QRgb skip) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] & 0xffffff) != (skip & 0xffffff)) ++counts[line[x] | 0xff000000];
  }
  if (counts.isEmpty()) return {};

  // In colour order, not the hash's, so every run picks the same palette.
  std::vector<Box> boxes(1);
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    boxes.front().push_back({it.key(), it.value()});
  std::sort(boxes.front().begin(), boxes.front().end(),
            [](const ColourCount& a, const ColourCount& b) { return a.colour < b.colour; });

  while (int(boxes.size()) < maxColours) {
    // Split the box whose colours lie furthest apart.
    auto widest = boxes.end();
    int widestSpread = 0;
    for (auto box = boxes.begin(); box != boxes.end(); ++box) {
      if (box->size() < 2) continue;
      const int spread = widestChannel(*box).second;
      if (spread > widestSpread) {
        widest = box;
        widestSpread = spread;
      }
    }
    if (widest == boxes.end()) break;  // every colour has its own entry
    auto [low, high] = splitBox(std::move(*widest));
    *widest = std::move(low);
    boxes.push_back(std::move(high));
  }

  QList<QRgb> palette;
  for (const Box& box : boxes) palette << averageColour(box);
  return palette;
}

int nearestIndex(const QList<QRgb>& palette, QRgb colour, int first) {
  int best = first;
  int bestDistance = INT_MAX;
  for (int i = first; i < palette.size(); ++i) {
    const int dr = qRed(palette[i]) - qRed(colour);
    const int dg = qGreen(palette[i]) - qGreen(colour);
    const int db = qBlue(palette[i]) - qBlue(colour);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}
