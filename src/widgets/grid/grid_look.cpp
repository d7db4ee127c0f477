#include "grid_look.h"

#include <QFontMetrics>

#include "platform/system_colors.h"

CGridLook::CGridLook(const QFont& font) : defaultFont_(FromQFont(font)), font_(font) {
  ReadSystemColors();
  textColor = sysWindowText_;
  textBkColor = sysWindow_;
  bkColor = sysBtnShadow_;
  fixedTextColor = sysWindowText_;
  fixedBkColor = sysBtnFace_;
  ApplyFontMetrics();
}

void CGridLook::ReadSystemColors() {
  sysWindowText_ = GetSysColor(COLOR_WINDOWTEXT);
  sysWindow_ = GetSysColor(COLOR_WINDOW);
  sysBtnFace_ = GetSysColor(COLOR_BTNFACE);
  sysBtnShadow_ = GetSysColor(COLOR_BTNSHADOW);
}

void CGridLook::OnSysColorChange() {
  const ColorRef windowText = GetSysColor(COLOR_WINDOWTEXT);
  const ColorRef window = GetSysColor(COLOR_WINDOW);
  const ColorRef btnFace = GetSysColor(COLOR_BTNFACE);
  const ColorRef btnShadow = GetSysColor(COLOR_BTNSHADOW);
  if (textColor == sysWindowText_) textColor = windowText;
  if (textBkColor == sysWindow_) textBkColor = window;
  if (bkColor == sysBtnShadow_) bkColor = btnShadow;
  if (fixedTextColor == sysWindowText_) fixedTextColor = windowText;
  if (fixedBkColor == sysBtnFace_) fixedBkColor = btnFace;
  ReadSystemColors();
}

void CGridLook::ApplyFontMetrics() {
  const QFontMetrics metrics(font_);
  textMargin_ = metrics.horizontalAdvance(u' ');
  defaultRowHeight_ = metrics.height() + metrics.leading() + metrics.height() / 4;
  defaultColumnWidth_ = metrics.averageCharWidth() * 12 + 2 * textMargin_;
}

bool CGridLook::SetFont(const QFont& font) {
  const LogFont logFont = FromQFont(font);
  if (logFont == defaultFont_ && font_ == font) return false;
  defaultFont_ = logFont;
  font_ = font;
  fontCache_.clear();
  ApplyFontMetrics();
  return true;
}

const QFont& CGridLook::FontOf(const LogFont& font) const {
  if (font == defaultFont_) return font_;
  for (const auto& [key, value] : fontCache_) {
    if (key == font) return value;
  }
  if (fontCache_.size() >= 16) fontCache_.clear();
  fontCache_.emplace_back(font, ToQFont(font));
  return fontCache_.back().second;
}
