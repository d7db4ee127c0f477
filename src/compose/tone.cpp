#include "tone.h"

#include <algorithm>
#include <cmath>

ToneCurve IdentityTone() {
  ToneCurve curve{};
  for (int level = 0; level < 256; ++level) curve[level] = static_cast<std::uint8_t>(level);
  return curve;
}

ToneCurve BrightnessTone(int amount) {
  amount = std::clamp(amount, -300, 300);
  const int shift = static_cast<int>(std::lround(amount * 255.0 / 1000.0));
  ToneCurve curve{};
  for (int level = 0; level < 256; ++level)
    curve[level] = static_cast<std::uint8_t>(std::clamp(level + shift, 0, 255));
  return curve;
}

ToneCurve ChainTones(const ToneCurve& first, const ToneCurve& second) {
  ToneCurve curve{};
  for (int level = 0; level < 256; ++level) curve[level] = second[first[level]];
  return curve;
}

bool IsIdentity(const ToneCurve& curve) { return curve == IdentityTone(); }
