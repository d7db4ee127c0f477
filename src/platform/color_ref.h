#pragma once

#include <QColor>
#include <cstdint>

// A colour as the drawing code keeps it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

// "No colour chosen: use the default".
constexpr ColorRef CLR_DEFAULT = 0xFF000000u;
constexpr ColorRef CLR_NONE = 0xFFFFFFFFu;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
  return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColorRef color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(ColorRef color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef color) { return static_cast<int>((color >> 16) & 0xFF); }

inline QColor ToQColor(ColorRef color) {
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}
inline ColorRef FromQColor(const QColor& color) {
  return MakeColorRef(color.red(), color.green(), color.blue());
}
