#pragma once

#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>

// Pictures decoded in full colour are QImage::Format_RGB32 of at most 16384 pixels a side and
// 256 MiB.
bool FitsRgb32(std::int64_t width, std::int64_t height);

// A picture of its own buffer, or a null image when the size is not allowed or memory runs
// out. Large ones ask for transparent huge pages: faulting in a photograph 4 KiB at a time
// otherwise costs more than decoding it.
QImage NewRgb32(int width, int height);

// Transparent pixels of decoded pictures show over this colour: red, green, blue.
inline constexpr std::array<int, 3> kTransparentBackground = {31, 127, 255};

// One channel of a pixel with alpha shown over that channel of the background, rounded.
// `premultiplied`: the colour has been multiplied by its alpha already.
constexpr int OverBackground(int color, int alpha, int background, bool premultiplied = false) {
  if (premultiplied) return std::min(255, color + (background * (255 - alpha) + 127) / 255);
  return (color * alpha + background * (255 - alpha) + 127) / 255;
}
