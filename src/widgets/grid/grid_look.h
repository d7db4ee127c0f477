#pragma once

#include <QFont>
#include <utility>
#include <vector>

#include "platform/color_ref.h"
#include "platform/log_font.h"

// A grid's colours and fonts. Colours start from the system colours and follow them when the
// system changes them, unless the caller changed them; the default row height, column width
// and text margin follow from the default font.
class CGridLook {
 public:
  explicit CGridLook(const QFont& font);

  ColorRef textColor = 0;
  ColorRef textBkColor = 0;
  ColorRef bkColor = 0;  // painted outside the cells
  ColorRef fixedTextColor = 0;
  ColorRef fixedBkColor = 0;
  ColorRef titleTipTextColor = CLR_DEFAULT;
  ColorRef titleTipBackColor = CLR_DEFAULT;
  ColorRef gridLineColor = MakeColorRef(192, 192, 192);

  // The system colours changed: colours still equal to the system colour they were taken from
  // take the new one.
  void OnSysColorChange();

  // Makes `font` the default font; false when it was already.
  bool SetFont(const QFont& font);
  const LogFont& DefaultFont() const { return defaultFont_; }
  const QFont& Font() const { return font_; }
  // The Qt font of a description (kept for the few descriptions a grid uses).
  const QFont& FontOf(const LogFont& font) const;

  int DefaultRowHeight() const { return defaultRowHeight_; }
  int DefaultColumnWidth() const { return defaultColumnWidth_; }
  int TextMargin() const { return textMargin_; }

 private:
  void ReadSystemColors();
  void ApplyFontMetrics();

  // The system colours last read: window text, window, button face, button shadow.
  ColorRef sysWindowText_ = 0;
  ColorRef sysWindow_ = 0;
  ColorRef sysBtnFace_ = 0;
  ColorRef sysBtnShadow_ = 0;
  LogFont defaultFont_;
  QFont font_;
  mutable std::vector<std::pair<LogFont, QFont>> fontCache_;
  int defaultRowHeight_ = 10;
  int defaultColumnWidth_ = 30;
  int textMargin_ = 0;
};
