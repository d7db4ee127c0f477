#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

// Font weights as the drawing code states them (100 ... 900, 0 = don't care).
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;

constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t SHIFTJIS_CHARSET = 128;

// Pitch (low two bits) and family (high nibble) of lfPitchAndFamily.
constexpr std::uint8_t DEFAULT_PITCH = 0;
constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;
constexpr std::uint8_t FF_DONTCARE = 0x00;
constexpr std::uint8_t FF_ROMAN = 0x10;
constexpr std::uint8_t FF_SWISS = 0x20;
constexpr std::uint8_t FF_MODERN = 0x30;
constexpr std::uint8_t FF_SCRIPT = 0x40;

// A logical font description, field for field as cells and print code keep it. A negative
// height is the character height in pixels, a positive one the cell height (ascent + descent),
// 0 the default size. The face name holds at most 31 characters.
struct LogFont {
  static constexpr int kFaceNameLength = 32;

  std::int32_t lfHeight = 0;
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = FW_DONTCARE;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = DEFAULT_CHARSET;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  QString lfFaceName;

  bool operator==(const LogFont&) const = default;
};

// The Qt font that draws like the description. Height 0 keeps the application font's size.
QFont ToQFont(const LogFont& logFont);
// The description of a Qt font (character height in pixels, as a negative lfHeight).
LogFont FromQFont(const QFont& font);
