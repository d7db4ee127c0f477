#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/color_quantizer.h"

// GIF files of one image: a global colour table of 1 << tableBits entries (the palette first,
// black after it), no extensions, the code stream in sub-blocks of up to 255 bytes.

// The smallest LZW minimum code size for palette indices below `colors` (at least 2).
int GifMinCodeSize(int colors);

// A GIF stores its sizes in 16 bits.
constexpr int kMaxGifDimension = 65535;

// The whole file, or nothing for sizes a GIF cannot hold. `codes` is an LZW code stream made
// with `minCodeSize`.
std::vector<std::uint8_t> GifFileBytes(int width, int height, int tableBits,
                                       const std::vector<Rgb8>& palette, int minCodeSize,
                                       const std::vector<std::uint8_t>& codes);
// Its size, without making it.
std::size_t GifFileSize(int tableBits, std::size_t codeBytes);
