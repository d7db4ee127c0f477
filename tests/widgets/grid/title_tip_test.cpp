#include "widgets/grid/title_tip.h"

#include <gtest/gtest.h>

#include "grid_fixture.h"

namespace {

TEST(TitleTipRect, OnlyWhenTheTextPassesTheRightEdge) {
  const Rect text(10, 20, 110, 38);
  EXPECT_FALSE(TitleTipRect(text, 100, 0).has_value());  // just fits
  ASSERT_TRUE(TitleTipRect(text, 101, 0).has_value());
  EXPECT_EQ(*TitleTipRect(text, 101, 0), Rect(10, 20, 111, 38));
  EXPECT_EQ(*TitleTipRect(text, 95, 3), Rect(13, 20, 111, 38));
  EXPECT_FALSE(TitleTipRect(text, 90, 3).has_value());
  EXPECT_FALSE(TitleTipRect(Rect(), 500, 0).has_value());
}

void Hover(QWidget* widget, QPoint pos) {
  QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

TEST(CTitleTip, ShowsOnlyTextsWiderThanTheirCellUntilThePointerLeaves) {
  gridtest::Window w;
  CGridCtrl& grid = *w.grid;
  gridtest::MakeAddressBook(grid, 3);
  grid.setGeometry(10, 10, 417, 223);
  const QString longName = QStringLiteral("とても長い名前の宛先でセルに収まらない");
  grid.SetCellText(2, 1, longName);
  grid.SetTitleTipBackClr(MakeColorRef(255, 255, 200));
  ASSERT_TRUE(w.Show());
  CTitleTip* tip = grid.TitleTip();
  ASSERT_NE(tip, nullptr);

  Hover(&grid, gridtest::CentreOf(grid, 1, 1));
  EXPECT_FALSE(tip->isVisible());
  Hover(&grid, gridtest::CentreOf(grid, 2, 1));
  ASSERT_TRUE(tip->isVisible());
  EXPECT_EQ(tip->Text(), QStringLiteral(" ") + longName + QStringLiteral(" "));
  Rect cell;
  grid.GetCellRect(2, 1, &cell);
  EXPECT_EQ(tip->HoverRect(), cell);
  EXPECT_GT(tip->width(), cell.Width());
  EXPECT_EQ(tip->grab().toImage().pixelColor(tip->width() - 3, tip->height() / 2),
            QColor(255, 255, 200));
  // Moving within the cell keeps it, leaving the cell hides it.
  Hover(&grid, gridtest::CentreOf(grid, 2, 1) + QPoint(10, 0));
  EXPECT_TRUE(tip->isVisible());
  Hover(&grid, gridtest::CentreOf(grid, 3, 1));
  EXPECT_FALSE(tip->isVisible());
  // Keys and edits hide it as well.
  Hover(&grid, gridtest::CentreOf(grid, 2, 1));
  ASSERT_TRUE(tip->isVisible());
  QTest::keyClick(&grid, Qt::Key_Right);
  EXPECT_FALSE(tip->isVisible());

  grid.EnableTitleTips(false);
  Hover(&grid, gridtest::CentreOf(grid, 3, 1));
  Hover(&grid, gridtest::CentreOf(grid, 2, 1));
  EXPECT_FALSE(tip->isVisible());
}

}  // namespace
