#include <gtest/gtest.h>

#include <QFontMetrics>

#include "grid_fixture.h"
#include "platform/system_colors.h"

namespace {

TEST(CGridCtrlShape, FixedRowOnAnEmptyGridMakesADefaultColouredHeadingRow) {
  CGridCtrl grid;
  grid.SetColumnCount(3);
  ASSERT_TRUE(grid.SetFixedRowCount(1));
  EXPECT_EQ(grid.GetRowCount(), 1);
  EXPECT_EQ(grid.GetFixedRowCount(), 1);
  for (int col = 0; col < 3; ++col) {
    EXPECT_TRUE(grid.GetCellState(0, col) & CELLSTATE_FIXED) << col;
    EXPECT_EQ(grid.GetCellBackColor(0, col), CLR_DEFAULT);
    EXPECT_EQ(grid.GetCellTextColor(0, col), CLR_DEFAULT);
  }
  // Rows added later below the heading are ordinary cells; columns added later are fixed in
  // the heading row.
  grid.SetRowCount(3);
  EXPECT_FALSE(grid.GetCellState(1, 0) & CELLSTATE_FIXED);
  grid.SetColumnCount(4);
  EXPECT_TRUE(grid.GetCellState(0, 3) & CELLSTATE_FIXED);

  // A row that stops being fixed loses the state and its own colours.
  grid.SetCellBackColor(0, 1, 0x0000FF);
  grid.SetFixedRowCount(0);
  EXPECT_FALSE(grid.GetCellState(0, 1) & CELLSTATE_FIXED);
  EXPECT_EQ(grid.GetCellBackColor(0, 1), CLR_DEFAULT);

  CGridCtrl empty;
  ASSERT_TRUE(empty.SetFixedRowCount(1));
  EXPECT_EQ(empty.GetRowCount(), 1);
  EXPECT_EQ(empty.GetColumnCount(), 0);
}

TEST(CGridCtrlShape, InsertRowWithoutColumnsAndAboveTheFocus) {
  CGridCtrl empty;
  EXPECT_EQ(empty.InsertRow(QStringLiteral("first")), 0);
  EXPECT_EQ(empty.GetColumnCount(), 1);
  EXPECT_EQ(empty.GetCellText(0, 0), QStringLiteral("first"));
  const int textHeight = QFontMetrics(empty.GetGridFont()).height();
  EXPECT_EQ(empty.GetRowHeight(0), textHeight + 2 * 3);  // the cell margin above and below

  CGridCtrl grid(nullptr, 5, 2, 1, 0);
  grid.SetCellText(3, 1, QStringLiteral("focus"));
  grid.SetFocusCell(3, 1);
  EXPECT_EQ(grid.InsertRow(QStringLiteral("new"), 2), 2);
  EXPECT_EQ(grid.GetFocusCell(), CellID(4, 1));
  EXPECT_EQ(grid.GetCellText(4, 1), QStringLiteral("focus"));
  EXPECT_TRUE(grid.GetCellState(4, 1) & CELLSTATE_FOCUSED);
  EXPECT_EQ(grid.GetCellText(2, 0), QStringLiteral("new"));
  EXPECT_EQ(grid.InsertRow(QStringLiteral("below"), 5), 5);  // below the focus: it stays
  EXPECT_EQ(grid.GetFocusCell(), CellID(4, 1));
  EXPECT_EQ(grid.InsertRow(QStringLiteral("out"), 7), -1);
  EXPECT_EQ(grid.GetRowCount(), 7);
  EXPECT_EQ(grid.InsertRow(QStringLiteral("end")), 7);
}

TEST(CGridCtrlShape, DeleteRowMovesTheFocusAndTheFixedCount) {
  CGridCtrl grid(nullptr, 6, 2, 2, 0);
  grid.SetFocusCell(4, 1);
  EXPECT_TRUE(grid.DeleteRow(2));
  EXPECT_EQ(grid.GetFocusCell(), CellID(3, 1));
  EXPECT_TRUE(grid.DeleteRow(3));
  EXPECT_EQ(grid.GetFocusCell(), CellID());
  EXPECT_TRUE(grid.DeleteRow(0));
  EXPECT_EQ(grid.GetFixedRowCount(), 1);
  EXPECT_FALSE(grid.DeleteRow(3));
  EXPECT_FALSE(grid.DeleteRow(-1));
  EXPECT_TRUE(grid.DeleteAllItems());
  EXPECT_EQ(grid.GetRowCount(), 0);
  EXPECT_EQ(grid.GetColumnCount(), 0);
  EXPECT_EQ(grid.GetFixedRowCount(), 0);
}

TEST(CGridCtrlShape, NewCellsTakeTheFormatAboveAndInsertColumnSetsItsFormat) {
  CGridCtrl grid(nullptr, 2, 2, 1, 0);
  grid.SetCellFormat(1, 1, DT_RIGHT | DT_SINGLELINE);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.GetCellFormat(3, 1), DT_RIGHT | DT_SINGLELINE);
  EXPECT_EQ(grid.GetCellFormat(3, 0), kDefaultCellFormat);
  const int col = grid.InsertColumn(QStringLiteral("Heading"), DT_CENTER, 1);
  EXPECT_EQ(col, 1);
  EXPECT_EQ(grid.GetCellText(0, 1), QStringLiteral("Heading"));
  for (int row = 0; row < 4; ++row) EXPECT_EQ(grid.GetCellFormat(row, 1), DT_CENTER);
  EXPECT_EQ(grid.GetColumnWidth(1),
            grid.GetCell(0, 1)->GetTextExtent(QStringLiteral("Heading")).width());
  EXPECT_EQ(grid.InsertColumn(QStringLiteral("x"), DT_LEFT, 5), -1);
}

TEST(CGridCtrlModified, CellBitsOnlyBeyondRowAndColumnZero) {
  CGridCtrl grid(nullptr, 4, 3, 1, 0);
  grid.SetModified(false);
  EXPECT_FALSE(grid.GetModified());

  grid.SetModified(true, 2, 2);
  EXPECT_TRUE(grid.GetModified(2, 2));
  EXPECT_TRUE(grid.GetModified());
  grid.SetModified(true, 3, 1);
  grid.SetModified(false, 2, 2);  // clears the cell only
  EXPECT_FALSE(grid.GetModified(2, 2));
  EXPECT_TRUE(grid.GetModified(3, 1));
  EXPECT_TRUE(grid.GetModified());

  // Row or column 0 reaches only the grid-wide flag; clearing that clears every cell's bit.
  grid.SetModified(true, 2, 0);
  EXPECT_FALSE(grid.GetCellState(2, 0) & CELLSTATE_MODIFIED);
  grid.SetModified(false, 0, 1);
  EXPECT_FALSE(grid.GetModified());
  EXPECT_FALSE(grid.GetModified(3, 1));
  EXPECT_FALSE(grid.GetCellState(3, 1) & CELLSTATE_MODIFIED);
}

TEST(CGridCtrlModified, SetCellInfoAppliesMaskedFieldsAndMarksTheCell) {
  CGridCtrl grid(nullptr, 3, 3, 1, 0);
  grid.SetModified(false);
  LogFont font;
  font.lfHeight = -20;
  font.lfItalic = 1;
  CellInfo item;
  item.row = 1;
  item.col = 2;
  item.mask = CELLMASK_TEXT | CELLMASK_FORMAT | CELLMASK_BKCLR | CELLMASK_FONT | CELLMASK_PARAM;
  item.text = QStringLiteral("山田");
  item.format = 0x824;
  item.backColor = 0xFFFFFF;
  item.textColor = 0x0000FF;  // not in the mask
  item.font = font;
  item.data = 42;
  ASSERT_TRUE(grid.SetCellInfo(item));
  EXPECT_TRUE(grid.GetModified(1, 2));
  CellInfo read;
  read.row = 1;
  read.col = 2;
  read.mask = CELLMASK_TEXT | CELLMASK_FORMAT | CELLMASK_BKCLR | CELLMASK_FGCLR | CELLMASK_FONT |
              CELLMASK_PARAM;
  ASSERT_TRUE(grid.GetCellInfo(read));
  EXPECT_EQ(read.text, QStringLiteral("山田"));
  EXPECT_EQ(read.format, 0x824u);
  EXPECT_EQ(read.backColor, 0xFFFFFFu);
  EXPECT_EQ(read.textColor, CLR_DEFAULT);
  EXPECT_EQ(read.font, font);
  EXPECT_EQ(read.data, 42);
}

TEST(CGridCtrlColors, SystemColourChangeKeepsTheCallersColours) {
  const QPalette saved = QApplication::palette();
  CGridCtrl grid(nullptr, 3, 3, 1, 0);
  EXPECT_EQ(grid.GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(grid.GetTextBkColor(), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(grid.GetBkColor(), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(grid.GetFixedBkColor(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(grid.GetGridLineColor(), MakeColorRef(192, 192, 192));
  grid.SetDefaultCellBackColor(0xE0FFFF);  // the address book's light yellow
  grid.SetFixedTextColor(0x123456);

  QPalette changed = saved;
  changed.setColor(QPalette::Text, QColor(10, 20, 30));
  changed.setColor(QPalette::Base, QColor(40, 50, 60));
  changed.setColor(QPalette::Button, QColor(70, 80, 90));
  changed.setColor(QPalette::Dark, QColor(100, 110, 120));
  QApplication::setPalette(changed);
  QApplication::processEvents();
  EXPECT_EQ(grid.GetTextColor(), MakeColorRef(10, 20, 30));
  EXPECT_EQ(grid.GetTextBkColor(), 0xE0FFFFu);
  EXPECT_EQ(grid.GetFixedTextColor(), 0x123456u);
  EXPECT_EQ(grid.GetFixedBkColor(), MakeColorRef(70, 80, 90));
  EXPECT_EQ(grid.GetBkColor(), MakeColorRef(100, 110, 120));

  // A second change follows from the colours just taken.
  QApplication::setPalette(saved);
  QApplication::processEvents();
  EXPECT_EQ(grid.GetTextColor(), FromQColor(saved.color(QPalette::Text)));
  EXPECT_EQ(grid.GetTextBkColor(), 0xE0FFFFu);
}

TEST(CGridCtrlFont, NewFontReachesEveryCellAndTheDefaultSizes) {
  CGridCtrl grid(nullptr, 3, 2, 1, 0);
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(20);
  grid.SetGridFont(font);
  const QFontMetrics metrics(font);
  EXPECT_EQ(grid.GetTextMargin(), metrics.horizontalAdvance(u' '));
  EXPECT_EQ(grid.GetDefaultRowHeight(),
            metrics.height() + metrics.leading() + metrics.height() / 4);
  EXPECT_EQ(grid.GetDefaultColumnWidth(),
            metrics.averageCharWidth() * 12 + 2 * grid.GetTextMargin());
  EXPECT_EQ(grid.GetCellFont(2, 1)->lfHeight, -20);
  EXPECT_EQ(grid.GetDefaultFont().lfHeight, -20);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.GetRowHeight(3), grid.GetDefaultRowHeight());
  EXPECT_EQ(grid.GetCellFont(3, 0)->lfHeight, -20);
}

}  // namespace
