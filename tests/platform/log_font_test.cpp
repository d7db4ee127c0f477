#include "platform/log_font.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace {

TEST(LogFont, QtFontRoundTripKeepsSizeWeightStyleAndFace) {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(13);
  font.setWeight(QFont::DemiBold);
  font.setItalic(true);
  font.setUnderline(true);
  const LogFont logFont = FromQFont(font);
  EXPECT_EQ(logFont.lfHeight, -13);
  EXPECT_EQ(logFont.lfWeight, FW_SEMIBOLD);
  EXPECT_EQ(logFont.lfItalic, 1);
  EXPECT_EQ(logFont.lfUnderline, 1);
  EXPECT_EQ(logFont.lfStrikeOut, 0);
  EXPECT_EQ(logFont.lfFaceName, QStringLiteral("IPAPGothic"));

  const QFont back = ToQFont(logFont);
  EXPECT_EQ(back.pixelSize(), 13);
  EXPECT_EQ(back.weight(), QFont::DemiBold);
  EXPECT_TRUE(back.italic());
  EXPECT_TRUE(back.underline());
  EXPECT_EQ(FromQFont(back), logFont);
}

TEST(LogFont, PointSizesBecomePixelsAtNinetySixDotsPerInch) {
  QFont font;
  font.setPointSize(9);
  EXPECT_EQ(FromQFont(font).lfHeight, -12);
}

TEST(LogFont, PositiveHeightIsTheCellHeight) {
  LogFont logFont;
  logFont.lfFaceName = QStringLiteral("IPAGothic");
  logFont.lfHeight = 20;
  const QFont font = ToQFont(logFont);
  EXPECT_NEAR(QFontMetrics(font).height(), 20, 1);
  // A character height of 20 gives a taller cell.
  logFont.lfHeight = -20;
  EXPECT_GT(QFontMetrics(ToQFont(logFont)).height(), 20);
}

TEST(LogFont, DontCareWeightDrawsNormal) {
  LogFont logFont;
  logFont.lfHeight = -12;
  EXPECT_EQ(ToQFont(logFont).weight(), QFont::Normal);
  logFont.lfWeight = FW_BOLD;
  EXPECT_EQ(ToQFont(logFont).weight(), QFont::Bold);
}

TEST(LogFont, FaceNameIsCutToThirtyOneCharacters) {
  QFont font;
  font.setFamily(QString(40, u'x'));
  EXPECT_EQ(FromQFont(font).lfFaceName.size(), 31);
}

}  // namespace
