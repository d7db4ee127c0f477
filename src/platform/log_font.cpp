#include "log_font.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {

// Qt measures point sizes at 72 per inch; drawing code at the logical 96 dots per inch.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

QFont::StyleHint StyleHintOf(std::uint8_t pitchAndFamily) {
  switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN:
      return QFont::Serif;
    case FF_SWISS:
      return QFont::SansSerif;
    case FF_MODERN:
      return QFont::TypeWriter;
    case FF_SCRIPT:
      return QFont::Cursive;
    default:
      return QFont::AnyStyle;
  }
}

std::uint8_t FamilyOf(const QFont& font) {
  switch (font.styleHint()) {
    case QFont::Serif:
      return FF_ROMAN;
    case QFont::SansSerif:
      return FF_SWISS;
    case QFont::TypeWriter:
      return FF_MODERN;
    case QFont::Cursive:
      return FF_SCRIPT;
    default:
      return FF_DONTCARE;
  }
}

int PixelSizeOf(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return std::max(1, static_cast<int>(std::lround(font.pointSizeF() * kPixelsPerPoint)));
}

}  // namespace

QFont ToQFont(const LogFont& logFont) {
  QFont font = QApplication::font();
  if (!logFont.lfFaceName.isEmpty()) font.setFamily(logFont.lfFaceName);
  font.setStyleHint(StyleHintOf(logFont.lfPitchAndFamily));
  if ((logFont.lfPitchAndFamily & 0x03) == FIXED_PITCH) font.setFixedPitch(true);
  if (logFont.lfHeight < 0) {
    font.setPixelSize(-logFont.lfHeight);
  } else if (logFont.lfHeight > 0) {
    // A cell height: scale the character height so ascent + descent comes out at that height.
    font.setPixelSize(logFont.lfHeight);
    const int cellHeight = QFontMetrics(font).height();
    if (cellHeight > 0 && cellHeight != logFont.lfHeight) {
      font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(logFont.lfHeight) *
                                                                 logFont.lfHeight / cellHeight))));
    }
  }
  const int weight = logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : logFont.lfWeight;
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  font.setItalic(logFont.lfItalic != 0);
  font.setUnderline(logFont.lfUnderline != 0);
  font.setStrikeOut(logFont.lfStrikeOut != 0);
  return font;
}

LogFont FromQFont(const QFont& font) {
  LogFont logFont;
  logFont.lfHeight = -PixelSizeOf(font);
  logFont.lfWeight = static_cast<int>(font.weight());
  logFont.lfItalic = font.italic() ? 1 : 0;
  logFont.lfUnderline = font.underline() ? 1 : 0;
  logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
  logFont.lfPitchAndFamily =
      static_cast<std::uint8_t>((font.fixedPitch() ? FIXED_PITCH : DEFAULT_PITCH) | FamilyOf(font));
  logFont.lfFaceName = font.family().left(LogFont::kFaceNameLength - 1);
  return logFont;
}
