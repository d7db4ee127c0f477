#include "system_colors.h"

#include <QGuiApplication>

namespace {

struct RoleOf {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

bool LookUp(int index, RoleOf* out) {
  using P = QPalette;
  switch (index) {
    case COLOR_SCROLLBAR:
    case COLOR_MENU:
    case COLOR_BTNFACE:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
      *out = {P::Active, P::Button};
      return true;
    case COLOR_BACKGROUND:
    case COLOR_APPWORKSPACE:
      *out = {P::Active, P::Mid};
      return true;
    case COLOR_ACTIVECAPTION:
    case COLOR_HIGHLIGHT:
      *out = {P::Active, P::Highlight};
      return true;
    case COLOR_INACTIVECAPTION:
      *out = {P::Inactive, P::Highlight};
      return true;
    case COLOR_WINDOW:
      *out = {P::Active, P::Base};
      return true;
    case COLOR_WINDOWFRAME:
    case COLOR_3DDKSHADOW:
      *out = {P::Active, P::Shadow};
      return true;
    case COLOR_MENUTEXT:
    case COLOR_BTNTEXT:
      *out = {P::Active, P::ButtonText};
      return true;
    case COLOR_WINDOWTEXT:
      *out = {P::Active, P::Text};
      return true;
    case COLOR_CAPTIONTEXT:
    case COLOR_HIGHLIGHTTEXT:
      *out = {P::Active, P::HighlightedText};
      return true;
    case COLOR_INACTIVECAPTIONTEXT:
      *out = {P::Inactive, P::HighlightedText};
      return true;
    case COLOR_BTNSHADOW:
      *out = {P::Active, P::Dark};
      return true;
    case COLOR_GRAYTEXT:
      *out = {P::Disabled, P::Text};
      return true;
    case COLOR_BTNHIGHLIGHT:
      *out = {P::Active, P::Light};
      return true;
    case COLOR_3DLIGHT:
      *out = {P::Active, P::Midlight};
      return true;
    case COLOR_INFOTEXT:
      *out = {P::Active, P::ToolTipText};
      return true;
    case COLOR_INFOBK:
      *out = {P::Active, P::ToolTipBase};
      return true;
    case COLOR_HOTLIGHT:
      *out = {P::Active, P::Link};
      return true;
    default:
      return false;
  }
}

}  // namespace

ColorRef SysColorFromPalette(const QPalette& palette, int index) {
  RoleOf role{};
  if (!LookUp(index, &role)) return MakeColorRef(0, 0, 0);
  return FromQColor(palette.color(role.group, role.role));
}

ColorRef GetSysColor(int index) { return SysColorFromPalette(QGuiApplication::palette(), index); }
