#include "grid_sort.h"

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <string_view>

#include "protocol/cp932.h"

namespace {

constexpr std::uint32_t kUnknown = 0xFFFFFFFFu;
constexpr std::uint32_t kNoForm = 0x10000u;

// Codes of UTF-16 units, looked up once each and kept.
std::array<std::uint32_t, 0x10000>& CodeTable() {
  static const auto table = [] {
    auto codes = std::make_unique<std::array<std::uint32_t, 0x10000>>();
    codes->fill(kUnknown);
    return codes;
  }();
  return *table;
}

std::uint32_t LookUp(char16_t unit) {
  if (unit >= 0xD800 && unit <= 0xDFFF) return kNoForm + unit;
  bool lossless = false;
  const std::string bytes = ToCp932(QString(QChar(unit)), &lossless);
  if (!lossless || bytes.empty() || bytes.size() > 2) return kNoForm + unit;
  const auto first = static_cast<unsigned char>(bytes[0]);
  if (bytes.size() == 1) return first;
  return (std::uint32_t(first) << 8) | static_cast<unsigned char>(bytes[1]);
}

// The codes of a text laid end to end in one buffer. The codes (at most 0x1FFFF) are held as
// char32_t, whose character traits compare them as unsigned numbers.
struct Keys {
  std::vector<char32_t> codes;
  std::vector<std::size_t> starts;  // one more than texts

  std::u32string_view Of(int i) const {
    return {codes.data() + starts[i], starts[i + 1] - starts[i]};
  }
};

Keys MakeKeys(const std::vector<QString>& texts) {
  Keys keys;
  std::size_t total = 0;
  for (const QString& text : texts) total += static_cast<std::size_t>(text.size());
  keys.codes.reserve(total);
  keys.starts.reserve(texts.size() + 1);
  for (const QString& text : texts) {
    keys.starts.push_back(keys.codes.size());
    for (QChar c : text) keys.codes.push_back(Cp932OrderCode(c.unicode()));
  }
  keys.starts.push_back(keys.codes.size());
  return keys;
}

}  // namespace

std::uint32_t Cp932OrderCode(char16_t unit) {
  if (unit < 0x80) return unit;
  std::uint32_t& code = CodeTable()[unit];
  if (code == kUnknown) code = LookUp(unit);
  return code;
}

int CompareCp932(const QString& a, const QString& b) {
  const qsizetype common = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < common; ++i) {
    const std::uint32_t x = Cp932OrderCode(a[i].unicode());
    const std::uint32_t y = Cp932OrderCode(b[i].unicode());
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::vector<int> SortedOrder(const std::vector<QString>& texts, bool ascending) {
  const Keys keys = MakeKeys(texts);
  std::vector<int> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  if (ascending) {
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int x, int y) { return keys.Of(x) < keys.Of(y); });
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int x, int y) { return keys.Of(y) < keys.Of(x); });
  }
  return order;
}
