#include "color_quantizer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <queue>

namespace {

constexpr int kMaxColors = 256;

// Sums of a set of colours. Cutting a set into two removes |s1|^2/n1 + |s2|^2/n2 - |s|^2/n of
// squared error (the squares of the colours cancel), so these sums are all a cut needs.
struct Sums {
  std::int64_t count = 0, r = 0, g = 0, b = 0;

  void Add(const ColorQuantizer::Weighted& c) {
    count += c.count;
    r += std::int64_t{c.count} * c.r;
    g += std::int64_t{c.count} * c.g;
    b += std::int64_t{c.count} * c.b;
  }
  void Add(const Sums& o) {
    count += o.count;
    r += o.r;
    g += o.g;
    b += o.b;
  }
  Sums Minus(const Sums& o) const { return {count - o.count, r - o.r, g - o.g, b - o.b}; }
  double Strength() const {
    if (count <= 0) return 0;
    const auto dr = static_cast<double>(r), dg = static_cast<double>(g),
               db = static_cast<double>(b);
    return (dr * dr + dg * dg + db * db) / static_cast<double>(count);
  }
};

int Channel(const ColorQuantizer::Weighted& c, int axis) {
  return axis == 0 ? c.r : axis == 1 ? c.g : c.b;
}

struct Split {
  double gain = 0;
  int axis = 0;
  int last = 0;  // highest value of the axis that stays in the first half
};

// The sums of a box's colours at each value of each axis; kept zero between uses.
using AxisBins = std::array<std::array<Sums, 256>, 3>;

// The cut across one of the axes that removes the most squared error.
Split BestSplit(const ColorQuantizer::Weighted* begin, const ColorQuantizer::Weighted* end,
                AxisBins& bins) {
  Split best;
  if (end - begin < 2) return best;
  Sums all;
  int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
  for (const auto* c = begin; c != end; ++c) {
    all.Add(*c);
    for (int axis = 0; axis < 3; ++axis) {
      const int v = Channel(*c, axis);
      bins[axis][v].Add(*c);
      low[axis] = std::min(low[axis], v);
      high[axis] = std::max(high[axis], v);
    }
  }
  const double whole = all.Strength();
  for (int axis = 0; axis < 3; ++axis) {
    Sums left;
    for (int v = low[axis]; v < high[axis]; ++v) {
      if (bins[axis][v].count == 0) continue;
      left.Add(bins[axis][v]);
      const double gain = left.Strength() + all.Minus(left).Strength() - whole;
      if (gain > best.gain) best = {gain, axis, v};
    }
    std::fill(bins[axis].begin() + low[axis], bins[axis].begin() + high[axis] + 1, Sums{});
  }
  return best;
}

}  // namespace

ColorQuantizer::ColorQuantizer(const std::vector<Rgb8>& pixels) : colorOfPixel_(pixels.size()) {
  // Pixels sorted by colour: key in the high half, pixel number in the low half.
  std::vector<std::uint64_t> keys;
  keys.reserve(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const Rgb8& p = pixels[i];
    const std::uint64_t key = std::uint64_t{p.r} << 16 | std::uint64_t{p.g} << 8 | p.b;
    keys.push_back(key << 32 | i);
  }
  std::sort(keys.begin(), keys.end());
  for (std::size_t i = 0; i < keys.size();) {
    const std::uint64_t key = keys[i] >> 32;
    const int id = static_cast<int>(colors_.size());
    std::size_t j = i;
    for (; j < keys.size() && keys[j] >> 32 == key; ++j) colorOfPixel_[keys[j] & 0xFFFFFFFFu] = id;
    colors_.push_back({static_cast<int>(key >> 16), static_cast<int>(key >> 8 & 0xFF),
                       static_cast<int>(key & 0xFF), static_cast<int>(j - i), id});
    i = j;
  }
  SplitBoxes();
}

void ColorQuantizer::SplitBoxes() {
  if (colors_.empty()) return;
  const auto bins = std::make_unique<AxisBins>();
  using Candidate = std::pair<double, int>;  // gain, box
  std::priority_queue<Candidate> queue;
  std::vector<Split> splits;
  auto consider = [&](int box) {
    splits.resize(boxes_.size());
    splits[box] =
        BestSplit(colors_.data() + boxes_[box].begin, colors_.data() + boxes_[box].end, *bins);
    if (splits[box].gain > 0) queue.push({splits[box].gain, box});
  };
  boxes_.push_back({0, static_cast<int>(colors_.size())});
  splitOf_.push_back(-1);
  consider(0);
  while (static_cast<int>(boxes_.size()) < kMaxColors && !queue.empty()) {
    const int index = queue.top().second;
    queue.pop();
    const Split split = splits[index];
    const auto middle = std::partition(
        colors_.begin() + boxes_[index].begin, colors_.begin() + boxes_[index].end,
        [&split](const Weighted& c) { return Channel(c, split.axis) <= split.last; });
    const Box second{static_cast<int>(middle - colors_.begin()), boxes_[index].end};
    boxes_[index].end = second.begin;
    boxes_.push_back(second);
    splitOf_.push_back(index);
    consider(index);
    consider(static_cast<int>(boxes_.size()) - 1);
  }
}

namespace {

using Point = std::array<float, 3>;

float Distance(const Point& a, const Point& b) {
  const float dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
  return std::sqrt(dr * dr + dg * dg + db * db);
}

// The nearest and second nearest centre of a point, searched outwards in order of brightness.
struct TwoNearest {
  int nearest = 0;
  float first = 0, second = 0;
};
class CentreIndex {
 public:
  explicit CentreIndex(const std::vector<Point>& centres) : entries_(centres.size()) {
    for (std::size_t i = 0; i < centres.size(); ++i)
      entries_[i] = {centres[i][0] + centres[i][1] + centres[i][2], centres[i][0], centres[i][1],
                     centres[i][2], static_cast<int>(i)};
    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& a, const Entry& b) { return a.sum < b.sum; });
  }

  TwoNearest Find(const Point& p) const {
    const float sum = p[0] + p[1] + p[2];
    const auto n = static_cast<std::ptrdiff_t>(entries_.size());
    std::ptrdiff_t up = std::lower_bound(entries_.begin(), entries_.end(), sum,
                                         [](const Entry& e, float s) { return e.sum < s; }) -
                        entries_.begin();
    std::ptrdiff_t down = up - 1;
    float best = 1e30f, next = 1e30f;  // squared
    int nearest = entries_.empty() ? 0 : entries_[0].index;
    auto visit = [&](const Entry& e) {
      const float dr = e.r - p[0], dg = e.g - p[1], db = e.b - p[2];
      const float d = dr * dr + dg * dg + db * db;
      if (d < next) {
        if (d < best) {
          next = best;
          best = d;
          nearest = e.index;
        } else {
          next = d;
        }
      }
    };
    // Brightness differs by at most sqrt(3) times the distance.
    while (up < n || down >= 0) {
      if (up < n) {
        const float ds = entries_[up].sum - sum;
        if (ds * ds > 3 * next)
          up = n;
        else
          visit(entries_[up++]);
      }
      if (down >= 0) {
        const float ds = sum - entries_[down].sum;
        if (ds * ds > 3 * next)
          down = -1;
        else
          visit(entries_[down--]);
      }
    }
    return {nearest, std::sqrt(best), std::sqrt(std::min(next, 1e12f))};
  }

 private:
  struct Entry {
    float sum, r, g, b;
    int index;
  };
  std::vector<Entry> entries_;
};

}  // namespace

// The weighted means of the colours of each centre; (-1, -1, -1) for a centre without colours.
std::vector<std::array<float, 3>> ColorQuantizer::Means(
    const std::vector<std::array<float, 3>>& points, const std::vector<int>& owner,
    int count) const {
  std::vector<std::array<double, 4>> sums(count, {0, 0, 0, 0});
  for (std::size_t i = 0; i < points.size(); ++i) {
    auto& sum = sums[owner[i]];
    const double w = colors_[i].count;
    sum[0] += w * points[i][0];
    sum[1] += w * points[i][1];
    sum[2] += w * points[i][2];
    sum[3] += w;
  }
  std::vector<std::array<float, 3>> means(count, {-1, -1, -1});
  for (int j = 0; j < count; ++j)
    if (sums[j][3] > 0)
      means[j] = {static_cast<float>(sums[j][0] / sums[j][3]),
                  static_cast<float>(sums[j][1] / sums[j][3]),
                  static_cast<float>(sums[j][2] / sums[j][3])};
  return means;
}

// Rounds of k-means from the given owners; gives the centres and leaves each colour's owner.
// Each colour keeps an upper bound of the distance to its centre and a lower bound of the
// distance to any other, so that most colours need no search once the centres settle.
std::vector<std::array<float, 3>> ColorQuantizer::Settle(
    const std::vector<std::array<float, 3>>& points, std::vector<int>& owner, int count,
    int rounds) const {
  const std::size_t n = points.size();
  std::vector<Point> centres = Means(points, owner, count);
  std::vector<float> upper(n), lower(n, 0.0f), half(count);
  for (std::size_t i = 0; i < n; ++i) upper[i] = Distance(points[i], centres[owner[i]]);
  for (int round = 0; round < rounds; ++round) {
    const CentreIndex index(centres);
    // Half the distance to the nearest other centre: a colour nearer than that to its own
    // centre belongs to it.
    for (int j = 0; j < count; ++j) half[j] = index.Find(centres[j]).second / 2;
    bool changed = false;
    for (std::size_t i = 0; i < n; ++i) {
      const float bound = std::max(half[owner[i]], lower[i]);
      if (upper[i] <= bound) continue;
      upper[i] = Distance(points[i], centres[owner[i]]);
      if (upper[i] <= bound) continue;
      const TwoNearest t = index.Find(points[i]);
      if (t.nearest != owner[i]) changed = true;
      owner[i] = t.nearest;
      upper[i] = t.first;
      lower[i] = t.second;
    }
    if (!changed) break;
    std::vector<Point> next = Means(points, owner, count);
    // A centre left without colours moves to the worst-served ones.
    std::vector<int> empty;
    for (int j = 0; j < count; ++j)
      if (next[j][0] < 0) empty.push_back(j);
    if (!empty.empty()) {
      std::vector<int> worst(n);
      for (std::size_t i = 0; i < n; ++i) worst[i] = static_cast<int>(i);
      const std::size_t m = std::min(empty.size(), n);
      std::partial_sort(worst.begin(), worst.begin() + m, worst.end(),
                        [&upper](int a, int b) { return upper[a] > upper[b]; });
      for (std::size_t e = 0; e < m; ++e) next[empty[e]] = points[worst[e]];
      for (std::size_t e = m; e < empty.size(); ++e) next[empty[e]] = centres[empty[e]];
    }
    float maxMove = 0;
    std::vector<float> moved(count);
    for (int j = 0; j < count; ++j) {
      moved[j] = Distance(next[j], centres[j]);
      maxMove = std::max(maxMove, moved[j]);
    }
    centres = std::move(next);
    for (std::size_t i = 0; i < n; ++i) {
      upper[i] += moved[owner[i]];
      lower[i] -= maxMove;
    }
  }
  return centres;
}

std::vector<Rgb8> ColorQuantizer::Palette(int colors, int rounds,
                                          std::vector<std::uint8_t>* indices) const {
  colors = std::clamp(colors, 1, kMaxColors);
  if (colors_.empty()) return {};
  // The boxes as they were after colors - 1 splits: every later box lies at the end of the box it
  // came from, so each kept box reaches to the end of its last descendant.
  const int count = std::min(colors, static_cast<int>(boxes_.size()));
  std::vector<Box> boxes(boxes_.begin(), boxes_.begin() + count);
  std::vector<int> root(boxes_.size());
  for (int i = 0; i < static_cast<int>(boxes_.size()); ++i) {
    root[i] = i < count ? i : root[splitOf_[i]];
    boxes[root[i]].end = std::max(boxes[root[i]].end, boxes_[i].end);
  }
  // k-means over the distinct colours, weighted by their pixels, from the boxes' means.
  const std::size_t n = colors_.size();
  std::vector<Point> points(n);
  std::vector<int> owner(n);
  for (int j = 0; j < count; ++j)
    for (int c = boxes[j].begin; c < boxes[j].end; ++c) {
      points[c] = {static_cast<float>(colors_[c].r), static_cast<float>(colors_[c].g),
                   static_cast<float>(colors_[c].b)};
      owner[c] = j;
    }
  const std::vector<Point> centres = Settle(points, owner, count, rounds);
  std::vector<Rgb8> palette(count);
  for (int i = 0; i < count; ++i)
    palette[i] = {static_cast<std::uint8_t>(std::lround(std::clamp(centres[i][0], 0.0f, 255.0f))),
                  static_cast<std::uint8_t>(std::lround(std::clamp(centres[i][1], 0.0f, 255.0f))),
                  static_cast<std::uint8_t>(std::lround(std::clamp(centres[i][2], 0.0f, 255.0f)))};
  if (indices) {
    // Rounding moves the entries by up to a step, which changes the nearest entry of many
    // colours: the pixels go to the nearest rounded entry.
    const NearestColor nearest(palette);
    std::vector<std::uint8_t> entryOf(n);
    for (std::size_t i = 0; i < n; ++i) {
      const Weighted& c = colors_[i];
      entryOf[c.id] = static_cast<std::uint8_t>(
          nearest.Find({static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                        static_cast<std::uint8_t>(c.b)}));
    }
    indices->resize(colorOfPixel_.size());
    for (std::size_t p = 0; p < colorOfPixel_.size(); ++p)
      (*indices)[p] = entryOf[colorOfPixel_[p]];
  }
  return palette;
}

NearestColor::NearestColor(const std::vector<Rgb8>& palette) {
  entries_.reserve(palette.size());
  for (std::size_t i = 0; i < palette.size(); ++i)
    entries_.push_back(
        {palette[i].r + palette[i].g + palette[i].b, palette[i], static_cast<int>(i)});
  std::sort(entries_.begin(), entries_.end(),
            [](const Entry& a, const Entry& b) { return a.sum < b.sum; });
}

int NearestColor::Find(const Rgb8& color) const {
  if (entries_.empty()) return 0;
  const int sum = color.r + color.g + color.b;
  // Brightness differs by at most sqrt(3) times the distance, so once (sum difference)^2 exceeds
  // three times the best distance no entry further out can be nearer.
  const auto start = std::lower_bound(entries_.begin(), entries_.end(), sum,
                                      [](const Entry& e, int s) { return e.sum < s; }) -
                     entries_.begin();
  int best = -1;
  int bestDistance = 1 << 20;  // above any distance of two colours
  std::ptrdiff_t up = start, down = start - 1;
  const auto n = static_cast<std::ptrdiff_t>(entries_.size());
  while (up < n || down >= 0) {
    if (up < n) {
      const int ds = entries_[up].sum - sum;
      if (ds * ds > 3 * bestDistance) {
        up = n;
      } else {
        const int d = ColorDistance(entries_[up].color, color);
        if (d < bestDistance) bestDistance = d, best = entries_[up].index;
        ++up;
      }
    }
    if (down >= 0) {
      const int ds = sum - entries_[down].sum;
      if (ds * ds > 3 * bestDistance) {
        down = -1;
      } else {
        const int d = ColorDistance(entries_[down].color, color);
        if (d < bestDistance) bestDistance = d, best = entries_[down].index;
        --down;
      }
    }
  }
  return best;
}

std::vector<std::uint8_t> MapToPalette(const std::vector<Rgb8>& pixels,
                                       const std::vector<Rgb8>& palette) {
  const NearestColor nearest(palette);
  std::vector<std::uint8_t> indices(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i)
    indices[i] = static_cast<std::uint8_t>(nearest.Find(pixels[i]));
  return indices;
}
