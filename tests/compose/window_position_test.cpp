#include "compose/window_position.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowPosition, AcceptsOnlyPositivePositionsOnTheScreen) {
  const QSize screen(1024, 768);
  EXPECT_EQ(ParseWindowPosition("120,80", screen), QPoint(120, 80));
  EXPECT_EQ(ParseWindowPosition("1023,767", screen), QPoint(1023, 767));
  EXPECT_FALSE(ParseWindowPosition("0,80", screen));
  EXPECT_FALSE(ParseWindowPosition("120,0", screen));
  EXPECT_FALSE(ParseWindowPosition("-5,80", screen));
  EXPECT_FALSE(ParseWindowPosition("1024,80", screen));
  EXPECT_FALSE(ParseWindowPosition("120,768", screen));
  EXPECT_FALSE(ParseWindowPosition("120", screen));
  EXPECT_FALSE(ParseWindowPosition("", screen));
  EXPECT_FALSE(ParseWindowPosition("x,y", screen));
  EXPECT_FALSE(ParseWindowPosition("99999999999,5", screen));
}

TEST(WindowPosition, FormatsAsTwoNumbersWithAComma) {
  EXPECT_EQ(FormatWindowPosition(QPoint(315, 24)), QStringLiteral("315,24"));
  EXPECT_EQ(ParseWindowPosition(FormatWindowPosition(QPoint(7, 9)), QSize(100, 100)), QPoint(7, 9));
}

}  // namespace
