#pragma once

#include <array>
#include <cstdint>

// A per-channel tone curve: the value each 8-bit level becomes.
using ToneCurve = std::array<std::uint8_t, 256>;

ToneCurve IdentityTone();
// A brightness change: every channel moves by amount/1000 of full scale (rounded), clamped
// to 0 ... 255; amount is clamped to -300 ... 300, so the strongest change is about 30 %.
// Monotonic in both the level and the amount.
ToneCurve BrightnessTone(int amount);
// The curve of applying `first`, then `second`.
ToneCurve ChainTones(const ToneCurve& first, const ToneCurve& second);
bool IsIdentity(const ToneCurve& curve);
