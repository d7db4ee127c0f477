#include <gtest/gtest.h>

#include "platform/color_ref.h"
#include "platform/rect.h"

namespace {

TEST(ColorRef, PacksRedInTheLowByte) {
  constexpr ColorRef orange = MakeColorRef(255, 90, 0);
  EXPECT_EQ(orange, 0x00005AFFu);
  EXPECT_EQ(RedOf(orange), 255);
  EXPECT_EQ(GreenOf(orange), 90);
  EXPECT_EQ(BlueOf(orange), 0);
  EXPECT_EQ(ToQColor(orange), QColor(255, 90, 0));
  EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x00030201u);
}

TEST(Rect, RightAndBottomAreExclusive) {
  const Rect canvas(51, 143, 147, 234);
  EXPECT_EQ(canvas.Width(), 96);
  EXPECT_EQ(canvas.Height(), 91);
  EXPECT_TRUE(canvas.Contains(51, 143));
  EXPECT_TRUE(canvas.Contains(146, 233));
  EXPECT_FALSE(canvas.Contains(147, 200));
  EXPECT_FALSE(canvas.Contains(100, 234));
  EXPECT_EQ(canvas.ToQRect(), QRect(51, 143, 96, 91));
  EXPECT_EQ(canvas.ToQRect().right(), 146);
  EXPECT_EQ(Rect::FromQRect(canvas.ToQRect()), canvas);
}

TEST(Rect, IntersectUnionAndNormalise) {
  const Rect a(0, 0, 10, 10), b(5, 5, 20, 20), apart(30, 30, 40, 40);
  EXPECT_EQ(a.Intersect(b), Rect(5, 5, 10, 10));
  EXPECT_TRUE(a.Intersect(apart).IsEmpty());
  EXPECT_EQ(a.Union(b), Rect(0, 0, 20, 20));
  EXPECT_EQ(Rect().Union(b), b);
  EXPECT_EQ(Rect(10, 8, 2, 3).Normalized(), Rect(2, 3, 10, 8));
  EXPECT_EQ(a.Offset(2, 3), Rect(2, 3, 12, 13));
  EXPECT_EQ(a.Inflate(1, 1), Rect(-1, -1, 11, 11));
}

}  // namespace
