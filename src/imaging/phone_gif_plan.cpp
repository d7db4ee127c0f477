#include "phone_gif_plan.h"

#include <algorithm>
#include <map>
#include <memory>

#include "imaging/color_quantizer.h"
#include "imaging/gif_lzw_encoder.h"
#include "imaging/gif_writer.h"

namespace {

// Tolerances of the lossy coder tried, in extra squared error per pixel.
constexpr int kTolerances[] = {0,  4,   8,   12,  16,  24,  32,  48,  64,
                               96, 128, 192, 256, 384, 512, 768, 1024};
constexpr int kTolerancesCount = static_cast<int>(std::size(kTolerances));
// Starting the string table afresh at 1024 codes keeps codes at 10 bits at most; for pictures
// of this size the shorter codes gain more than the longer strings of a full table.
constexpr int kTableLimit = 1024;
// Rounds of k-means: palettes of files that may be attached settle; those of files that cannot be
// get less, as do the smaller palettes tried when bytes run short (measured: settling those
// changes little).
constexpr int kSettledRounds = ColorQuantizer::kSettledRounds;
constexpr int kProbeRounds = 4;
constexpr int kQuickRounds = 1;
// A quick palette's error times this is below what settling it could reach (settling takes off
// a few per cent, on photos at most ten).
constexpr double kSettledGain = 0.85;
// Colours are chosen from at most this many pixels of larger pictures (every pixel is mapped).
constexpr std::size_t kMaxSampledPixels = 1 << 16;
// Larger pictures are not searched: no choice of theirs comes near the budget.
constexpr std::int64_t kMaxSearchedPixels = 1 << 16;

bool Fits(std::size_t bytes) { return bytes < static_cast<std::size_t>(PhoneGifPlan::kBudget); }

// One way to write the picture: a palette and the codes of the pixels.
struct Variant {
  int colors = 0;
  int tolerance = 0;
  int minCodeSize = 2;
  std::vector<Rgb8> palette;
  std::vector<std::uint8_t> codes;
  double error = 0;  // squared, against the picture

  std::size_t FileSize(int bits) const { return GifFileSize(bits, codes.size()); }
};

// Palettes and codes of one picture, each made once.
class Search {
 public:
  explicit Search(const QImage& picture) : width_(picture.width()), height_(picture.height()) {
    pixels_.reserve(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
      for (int x = 0; x < width_; ++x)
        pixels_.push_back({static_cast<std::uint8_t>(qRed(line[x])),
                           static_cast<std::uint8_t>(qGreen(line[x])),
                           static_cast<std::uint8_t>(qBlue(line[x]))});
    }
    sampled_ = pixels_.size() > kMaxSampledPixels;
    if (!sampled_) {
      quantizer_ = std::make_unique<ColorQuantizer>(pixels_);
    } else {
      std::vector<Rgb8> sample;
      const std::size_t step = (pixels_.size() + kMaxSampledPixels - 1) / kMaxSampledPixels;
      for (std::size_t i = 0; i < pixels_.size(); i += step) sample.push_back(pixels_[i]);
      quantizer_ = std::make_unique<ColorQuantizer>(sample);
    }
  }

  int MaxColors() const { return std::clamp(quantizer_->DistinctColors(), 1, 256); }
  bool Searchable() const {
    return static_cast<std::int64_t>(width_) * height_ <= kMaxSearchedPixels;
  }

  const Variant& Encode(int colors, int tolerance, int rounds) {
    colors = std::clamp(colors, 1, MaxColors());
    auto& slot = variants_[{colors, tolerance, rounds}];
    if (slot) return *slot;
    const Mapped& mapped = Map(colors, rounds);
    slot = std::make_unique<Variant>();
    Variant& v = *slot;
    v.colors = static_cast<int>(mapped.palette.size());
    v.tolerance = tolerance;
    v.minCodeSize = GifMinCodeSize(v.colors);
    GifLzwEncoder encoder(v.minCodeSize, kTableLimit);
    std::vector<std::uint8_t> shown;
    v.codes = encoder.Encode(mapped.indices, pixels_, mapped.palette, tolerance, &shown);
    // The codes fix which entry each pixel shows; each entry then best becomes the mean of its
    // pixels, which costs no byte.
    v.palette = Centred(mapped.palette, shown);
    for (std::size_t i = 0; i < pixels_.size(); ++i)
      v.error += ColorDistance(pixels_[i], v.palette[shown[i]]);
    return v;
  }

  // The least tolerance (at most kTolerances[most]) with which `colors` colours give a file
  // smaller than `below`, or nullptr.
  const Variant* LeastLossFitting(int bits, int colors, std::size_t below, int rounds,
                                  int most = kTolerancesCount - 1) {
    auto fits = [&](int t) {
      return Encode(colors, kTolerances[t], rounds).FileSize(bits) < below;
    };
    int low = 0, high = most;
    if (!fits(high)) return nullptr;
    while (low < high) {
      const int mid = (low + high) / 2;
      if (fits(mid))
        high = mid;
      else
        low = mid + 1;
    }
    return &Encode(colors, kTolerances[low], rounds);
  }

  PhoneGifPlan::File MakeFile(int bits, const Variant& v) const {
    PhoneGifPlan::File file;
    file.tableBits = bits;
    file.colors = v.colors;
    file.tolerance = v.tolerance;
    file.squaredError = v.error;
    file.bytes = GifFileBytes(width_, height_, bits, v.palette, v.minCodeSize, v.codes);
    return file;
  }

 private:
  struct Mapped {
    std::vector<Rgb8> palette;
    std::vector<std::uint8_t> indices;
  };

  const Mapped& Map(int colors, int rounds) {
    auto& slot = mapped_[{colors, rounds}];
    if (!slot) {
      slot = std::make_unique<Mapped>();
      if (sampled_) {
        slot->palette = quantizer_->Palette(colors, rounds);
        slot->indices = MapToPalette(pixels_, slot->palette);
      } else {
        slot->palette = quantizer_->Palette(colors, rounds, &slot->indices);
      }
    }
    return *slot;
  }

  std::vector<Rgb8> Centred(const std::vector<Rgb8>& palette,
                            const std::vector<std::uint8_t>& shown) const {
    std::vector<std::array<std::int64_t, 4>> sums(palette.size(), {0, 0, 0, 0});
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
      auto& sum = sums[shown[i]];
      sum[0] += pixels_[i].r;
      sum[1] += pixels_[i].g;
      sum[2] += pixels_[i].b;
      ++sum[3];
    }
    std::vector<Rgb8> centred = palette;
    for (std::size_t e = 0; e < palette.size(); ++e) {
      const std::int64_t n = sums[e][3];
      if (n == 0) continue;
      auto mean = [n](std::int64_t sum) {
        return static_cast<std::uint8_t>((2 * sum + n) / (2 * n));
      };
      centred[e] = {mean(sums[e][0]), mean(sums[e][1]), mean(sums[e][2])};
    }
    return centred;
  }

  int width_, height_;
  std::vector<Rgb8> pixels_;
  bool sampled_ = false;  // colours chosen from some of the pixels
  std::unique_ptr<ColorQuantizer> quantizer_;
  std::map<std::pair<int, int>, std::unique_ptr<Mapped>> mapped_;
  std::map<std::tuple<int, int, int>, std::unique_ptr<Variant>> variants_;
};

// The best-looking file with a table of 1 << bits entries below the budget, or nullptr. When
// every colour fits without loss that is it; otherwise fewer colours and more loss are traded
// against each other.
const Variant* BestFitting(Search& search, int bits) {
  const int all = std::min(1 << bits, search.MaxColors());
  const Variant& lossless = search.Encode(all, 0, kSettledRounds);
  if (Fits(lossless.FileSize(bits))) return &lossless;
  const Variant* best = nullptr;
  int worse = 0;
  int most = kTolerancesCount - 1;  // fewer colours never need more loss
  const int step = std::max(1, all / 16);
  for (int colors = all; colors >= std::max(1, all / 2); colors -= step) {
    const Variant* v = search.LeastLossFitting(bits, colors, PhoneGifPlan::kBudget,
                                               colors == all ? kSettledRounds : kProbeRounds, most);
    if (!v) continue;
    most =
        static_cast<int>(std::find(std::begin(kTolerances), std::end(kTolerances), v->tolerance) -
                         std::begin(kTolerances));
    if (!best || v->error < best->error) {
      best = v;
      worse = 0;
    } else if (++worse == 2) {
      break;  // the error has turned upwards
    }
    if (v->tolerance == 0) break;  // fewer colours only look worse
  }
  return best;
}

}  // namespace

PhoneGifPlan::PhoneGifPlan(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  Search search(rgb);
  const int maxColors = search.MaxColors();
  auto tableColors = [maxColors](int bits) { return std::min(1 << bits, maxColors); };

  // The best file below the budget for as many tables as could hold it. Fewer colours never
  // look better than a table's full palette without loss, so once that is worse than the best so
  // far, the smaller tables need no search.
  std::array<const Variant*, 4> best{};
  int chosen = -1;
  if (search.Searchable()) {
    for (int slot = 0; slot < 4; ++slot) {
      const int bits = 8 - slot;
      if (chosen >= 0) {
        if (best[chosen]->tolerance == 0 && best[chosen]->colors == maxColors) break;
        const Variant& quick = search.Encode(tableColors(bits), 0, kQuickRounds);
        if (quick.error * kSettledGain >= best[chosen]->error) break;
      }
      best[slot] = BestFitting(search, bits);
      if (best[slot] && (chosen < 0 || best[slot]->error < best[chosen]->error)) chosen = slot;
    }
  }

  for (int slot = 0; slot < 4; ++slot) {
    const int bits = 8 - slot;
    const Variant& v = best[slot] ? *best[slot] : search.Encode(tableColors(bits), 0, kQuickRounds);
    files_[slot] = search.MakeFile(bits, v);
  }
  if (chosen < 0) return;

  // The rule attaches the largest file below the budget: the others must be smaller than the
  // chosen one, at the budget or above, or look as good.
  const std::size_t chosenSize = files_[chosen].bytes.size();
  for (int slot = 0; slot < 4; ++slot) {
    const std::size_t size = files_[slot].bytes.size();
    if (slot == chosen || size < chosenSize || !Fits(size) ||
        files_[slot].squaredError <= files_[chosen].squaredError)
      continue;
    const int bits = 8 - slot;
    const Variant* smaller = nullptr;
    for (int colors = tableColors(bits); colors >= 1 && !smaller; colors /= 2)
      smaller = search.LeastLossFitting(bits, colors, chosenSize, kQuickRounds);
    if (smaller) files_[slot] = search.MakeFile(bits, *smaller);
  }
}

int PhoneGifPlan::AttachedBits() const {
  int attached = 0;
  std::size_t largest = 0;
  for (const File& file : files_) {
    if (Fits(file.bytes.size()) && file.bytes.size() > largest) {
      largest = file.bytes.size();
      attached = file.tableBits;
    }
  }
  return attached;
}
