#include "platform/system_colors.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

QPalette DistinctPalette() {
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Text, QColor(4, 5, 6));
  palette.setColor(QPalette::Highlight, QColor(7, 8, 9));
  palette.setColor(QPalette::HighlightedText, QColor(10, 11, 12));
  palette.setColor(QPalette::Button, QColor(13, 14, 15));
  palette.setColor(QPalette::Dark, QColor(16, 17, 18));
  palette.setColor(QPalette::Shadow, QColor(19, 20, 21));
  palette.setColor(QPalette::Light, QColor(22, 23, 24));
  palette.setColor(QPalette::Midlight, QColor(25, 26, 27));
  palette.setColor(QPalette::ToolTipBase, QColor(28, 29, 30));
  palette.setColor(QPalette::ToolTipText, QColor(31, 32, 33));
  palette.setColor(QPalette::ButtonText, QColor(34, 35, 36));
  return palette;
}

TEST(SysColorFromPalette, MapsEachIndexToItsRole) {
  const QPalette palette = DistinctPalette();
  const struct {
    int index;
    ColorRef expected;
  } cases[] = {
      {COLOR_WINDOW, MakeColorRef(1, 2, 3)},        {COLOR_WINDOWTEXT, MakeColorRef(4, 5, 6)},
      {COLOR_HIGHLIGHT, MakeColorRef(7, 8, 9)},     {COLOR_HIGHLIGHTTEXT, MakeColorRef(10, 11, 12)},
      {COLOR_BTNFACE, MakeColorRef(13, 14, 15)},    {COLOR_3DFACE, MakeColorRef(13, 14, 15)},
      {COLOR_BTNSHADOW, MakeColorRef(16, 17, 18)},  {COLOR_3DSHADOW, MakeColorRef(16, 17, 18)},
      {COLOR_3DDKSHADOW, MakeColorRef(19, 20, 21)}, {COLOR_BTNHIGHLIGHT, MakeColorRef(22, 23, 24)},
      {COLOR_3DLIGHT, MakeColorRef(25, 26, 27)},    {COLOR_INFOBK, MakeColorRef(28, 29, 30)},
      {COLOR_INFOTEXT, MakeColorRef(31, 32, 33)},   {COLOR_BTNTEXT, MakeColorRef(34, 35, 36)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SysColorFromPalette(palette, c.index), c.expected) << "index " << c.index;
  }
}

TEST(SysColorFromPalette, UnknownIndexIsBlack) {
  EXPECT_EQ(SysColorFromPalette(DistinctPalette(), 99), MakeColorRef(0, 0, 0));
  EXPECT_EQ(SysColorFromPalette(DistinctPalette(), -1), MakeColorRef(0, 0, 0));
}

TEST(GetSysColor, FollowsTheApplicationPalette) {
  const QPalette saved = QGuiApplication::palette();
  QGuiApplication::setPalette(DistinctPalette());
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), MakeColorRef(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), MakeColorRef(7, 8, 9));
  QGuiApplication::setPalette(saved);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), FromQColor(saved.color(QPalette::Base)));
}

}  // namespace
