#include <gtest/gtest.h>

#include "grid_fixture.h"
#include "platform/system_colors.h"

namespace {

using gridtest::At;
using gridtest::CentreOf;
using gridtest::ColorOf;
using gridtest::Render;

// Counts the pixels of `rect` that differ from `background`.
int InkIn(const QImage& image, const Rect& rect, QColor background) {
  int ink = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) ink += image.pixelColor(x, y) != background;
  }
  return ink;
}

TEST(CGridCtrlPaint, AnEmptyGridPaintsOnlyItsBackground) {
  for (int rows : {0, 3}) {
    CGridCtrl grid;
    grid.resize(120, 80);
    grid.SetRowCount(rows);  // rows without columns are no cells either
    grid.SetBkColor(MakeColorRef(200, 30, 40));
    grid.SetFixedBkColor(MakeColorRef(0, 255, 0));
    grid.SetTextBkColor(MakeColorRef(0, 0, 255));
    const QImage image = Render(grid);
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x)
        ASSERT_EQ(image.pixelColor(x, y), QColor(200, 30, 40)) << x << "," << y;
    }
  }
}

TEST(CGridCtrlPaint, AreasOutsideTheCellsTakeTheGridBackground) {
  CGridCtrl grid(nullptr, 3, 2, 1, 1);
  grid.resize(300, 200);
  grid.SetColumnWidth(0, 40);
  grid.SetColumnWidth(1, 60);
  for (int row = 0; row < 3; ++row) grid.SetRowHeight(row, 20);
  grid.SetBkColor(MakeColorRef(200, 30, 40));
  grid.SetTextBkColor(MakeColorRef(0, 0, 255));
  const QImage image = Render(grid);
  EXPECT_EQ(At(image, {150, 10}), QColor(200, 30, 40));              // right of the last column
  EXPECT_EQ(At(image, {20, 100}), QColor(200, 30, 40));              // below the last row
  EXPECT_EQ(At(image, {70, 30}), QColor(0, 0, 255));                 // a data cell
  EXPECT_EQ(At(image, {70, 39}), ColorOf(grid.GetGridLineColor()));  // its bottom grid line
  EXPECT_EQ(At(image, {99, 30}), ColorOf(grid.GetGridLineColor()));  // its right grid line
}

TEST(CGridCtrlPaint, AnExplicitCellBackgroundIsAlwaysPainted) {
  CGridCtrl grid;
  gridtest::MakeAddressBook(grid, 3);
  grid.SetCellBackColor(2, 2, MakeColorRef(255, 200, 0));
  grid.SetCellBackColor(3, 1, CLR_DEFAULT);
  const QImage image = Render(grid);
  EXPECT_EQ(At(image, CentreOf(grid, 1, 1) + QPoint(40, 0)), QColor(255, 255, 255));
  EXPECT_EQ(At(image, CentreOf(grid, 2, 2) + QPoint(80, 0)), QColor(255, 200, 0));
  // Without a colour of its own a cell shows the text background painted under it.
  EXPECT_EQ(At(image, CentreOf(grid, 3, 1) + QPoint(40, 0)), ColorOf(0xE0FFFF));
}

TEST(CGridCtrlPaint, FocusedSelectedCellUsesTheHighlightColoursWithAFrame) {
  CGridCtrl grid;
  gridtest::MakeAddressBook(grid, 3);
  grid.SetFocusCell(2, 1);  // list mode: the row is selected too
  ASSERT_TRUE(grid.IsCellSelected(2, 1));
  ASSERT_TRUE(grid.IsCellSelected(2, 2));
  const QImage image = Render(grid);
  Rect focus, other;
  grid.GetCellRect(2, 1, &focus);
  grid.GetCellRect(2, 2, &other);
  const QColor highlight = ColorOf(GetSysColor(COLOR_HIGHLIGHT));
  const QColor highlightText = ColorOf(GetSysColor(COLOR_HIGHLIGHTTEXT));
  ASSERT_NE(highlight, highlightText);
  EXPECT_EQ(At(image, {focus.right - 10, focus.top + 3}), highlight);
  EXPECT_EQ(At(image, {focus.left, focus.top + 5}), highlightText);       // frame, left
  EXPECT_EQ(At(image, {focus.right - 2, focus.top + 5}), highlightText);  // frame, right
  EXPECT_EQ(At(image, {focus.left + 20, focus.top}), highlightText);      // frame, top
  // A selected cell without the focus: highlight, no frame, grid line kept.
  EXPECT_EQ(At(image, {other.left + 1, other.top + 5}), highlight);
  EXPECT_EQ(At(image, {other.right - 1, other.top + 5}), ColorOf(grid.GetGridLineColor()));
  // Unselected rows keep their own colour.
  EXPECT_EQ(At(image, CentreOf(grid, 3, 2) + QPoint(80, 0)), QColor(255, 255, 255));
}

TEST(CGridCtrlPaint, FocusWithoutSelectionIsFramedInTheTextColour) {
  CGridCtrl grid(nullptr, 4, 3, 1, 0);
  grid.resize(300, 150);
  grid.SetTextColor(MakeColorRef(200, 0, 0));
  grid.SetTextBkColor(MakeColorRef(255, 255, 255));
  grid.SetFocusCell(2, 1);
  ASSERT_FALSE(grid.IsCellSelected(2, 1));
  Rect focus;
  grid.GetCellRect(2, 1, &focus);
  const QImage image = Render(grid);
  EXPECT_EQ(At(image, {focus.left, focus.top + 4}), QColor(200, 0, 0));
  EXPECT_EQ(At(image, {focus.left + 4, focus.bottom - 2}), QColor(200, 0, 0));
  EXPECT_EQ(At(image, {focus.right - 1, focus.top + 4}), ColorOf(grid.GetGridLineColor()));
  EXPECT_EQ(At(image, {focus.right - 4, focus.top + 4}), QColor(255, 255, 255));
}

TEST(CGridCtrlPaint, HeadingsOfTheFocusRowAndColumnAreSunkenAndSemiBold) {
  CGridCtrl grid(nullptr, 4, 4, 1, 1);
  grid.resize(400, 150);
  for (int col = 1; col < 4; ++col) grid.SetCellText(0, col, QStringLiteral("Heading"));
  for (int row = 1; row < 4; ++row) grid.SetCellText(row, 0, QStringLiteral("Row"));
  grid.SetFocusCell(2, 2);
  const QImage image = Render(grid);
  const QColor dark = ColorOf(GetSysColor(COLOR_3DDKSHADOW));
  const QColor light = ColorOf(GetSysColor(COLOR_BTNHIGHLIGHT));
  ASSERT_NE(dark, light);
  Rect sunken, raised, sunkenRow, raisedRow;
  grid.GetCellRect(0, 2, &sunken);
  grid.GetCellRect(0, 3, &raised);
  grid.GetCellRect(2, 0, &sunkenRow);
  grid.GetCellRect(3, 0, &raisedRow);
  EXPECT_EQ(At(image, {sunken.left + 5, sunken.top}), dark);
  EXPECT_EQ(At(image, {raised.left + 5, raised.top}), light);
  EXPECT_EQ(At(image, {sunkenRow.left, sunkenRow.top + 5}), dark);
  EXPECT_EQ(At(image, {raisedRow.left, raisedRow.top + 5}), light);
  // Semi-bold text lays down more ink than the same text in normal weight.
  const QColor face = ColorOf(grid.GetFixedBkColor());
  EXPECT_GT(InkIn(image, sunken.Inflate(-2, -2), face), InkIn(image, raised.Inflate(-2, -2), face));
}

TEST(CGridCtrlPaint, SortArrowInTheSortedHeading) {
  CGridCtrl grid;
  gridtest::MakeAddressBook(grid, 3);
  Rect heading;
  grid.GetCellRect(0, 1, &heading);
  const QImage before = Render(grid);
  grid.SortTextItems(1, true);
  const QImage ascending = Render(grid);
  grid.SortTextItems(1, false);
  const QImage descending = Render(grid);
  const Rect arrowArea(heading.right - 20, heading.top, heading.right, heading.bottom);
  const QImage a = before.copy(arrowArea.ToQRect()), b = ascending.copy(arrowArea.ToQRect()),
               c = descending.copy(arrowArea.ToQRect());
  EXPECT_NE(a, b);
  EXPECT_NE(b, c);
}

}  // namespace
