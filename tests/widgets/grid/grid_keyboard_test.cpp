#include <gtest/gtest.h>

#include <QClipboard>

#include "grid_fixture.h"

namespace {

using gridtest::Notifications;
using gridtest::Window;

// A grid of `rows` x `cols` with a heading row, 417 x 223 in an active window.
struct KeyGrid : Window {
  KeyGrid(int rows, int cols, int width = 60) {
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    grid->SetFixedRowCount(1);
    for (int col = 0; col < cols; ++col) grid->SetColumnWidth(col, width);
    for (int row = 0; row < rows; ++row) grid->SetRowHeight(row, 20);
    for (int row = 1; row < rows; ++row) {
      for (int col = 0; col < cols; ++col)
        grid->SetCellText(row, col, QStringLiteral("r%1c%2").arg(row).arg(col));
    }
    grid->ResetScrollBars();
  }
};

TEST(CGridCtrlKeys, TabWrapsToTheNextRowAndLeavesTheGridAtTheLastCell) {
  KeyGrid k(3, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 1);
  QTest::keyClick(&grid, Qt::Key_Tab);
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 2));
  QTest::keyClick(&grid, Qt::Key_Tab);
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 0));  // wrapped
  QTest::keyClick(&grid, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 2));  // and back
  grid.SetFocusCell(2, 2);
  ASSERT_TRUE(grid.hasFocus());
  QTest::keyClick(&grid, Qt::Key_Tab);
  EXPECT_TRUE(k.after->hasFocus());  // on to the next control
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 2));
}

TEST(CGridCtrlKeys, TabWrapScrollsFullyLeft) {
  KeyGrid k(30, 8, 120);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 7);
  grid.EnsureVisible(1, 7);
  ASSERT_GT(grid.GetScrollPos(Qt::Horizontal), 0);
  QTest::keyClick(&grid, Qt::Key_Tab);
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 0));
  EXPECT_EQ(grid.GetScrollPos(Qt::Horizontal), 0);
}

TEST(CGridCtrlKeys, ShiftArrowsExtendTheSelectionPlainArrowsMoveIt) {
  KeyGrid k(6, 4);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 0);
  QTest::keyClick(&grid, Qt::Key_Right);  // a plain move starts the selection at (1, 1)
  QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 2));
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(1, 1, 2, 2));
  EXPECT_EQ(grid.GetSelectedCount(), 4);
  QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(3, 2, 3, 2));
  QTest::keyClick(&grid, Qt::Key_Up);
  QTest::keyClick(&grid, Qt::Key_Up);
  QTest::keyClick(&grid, Qt::Key_Up);  // not into the heading row
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 2));
}

TEST(CGridCtrlKeys, ListModeSelectsTheFocusRow) {
  KeyGrid k(6, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetListMode(true);
  grid.SetSingleRowOnly(true);
  grid.SetFocusCell(1, 1);
  QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(2, 0, 2, 2));
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::Nothing);
  // Typing still edits after keyboard moves.
  QTest::keyClick(&grid, Qt::Key_Z);
  EXPECT_TRUE(grid.GetCell(2, 1)->IsEditing());
}

TEST(CGridCtrlKeys, SelectionChangeNotificationsBracketTheMove) {
  KeyGrid k(4, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 1);
  Notifications notes(grid);
  QTest::keyClick(&grid, Qt::Key_Right);
  ASSERT_EQ(notes.Codes(), (std::vector<int>{GRIDN_SELCHANGING, GRIDN_SELCHANGED}));
  EXPECT_EQ(CellID(notes.all[0].row, notes.all[0].column), CellID(1, 1));
  EXPECT_EQ(CellID(notes.all[1].row, notes.all[1].column), CellID(1, 2));
}

TEST(CGridCtrlKeys, PageHomeAndEnd) {
  KeyGrid k(60, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 1);
  QTest::keyClick(&grid, Qt::Key_PageDown);
  const int top = grid.GetTopleftNonFixedCell().row;
  EXPECT_GT(top, 1);
  EXPECT_EQ(grid.GetFocusCell(), CellID(1 + (top - 1), 1));
  QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid.GetFocusCell(), CellID(59, 2));
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), grid.GetScrollLimit(Qt::Vertical));
  QTest::keyClick(&grid, Qt::Key_Home);
  EXPECT_EQ(grid.GetFocusCell(), CellID(59, 0));
  QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 0));
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), 0);
  QTest::keyClick(&grid, Qt::Key_PageUp);
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 0));
}

TEST(CGridCtrlKeys, DownPastTheViewScrollsItIn) {
  KeyGrid k(60, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 0);
  for (int i = 0; i < 20; ++i) QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(grid.GetFocusCell(), CellID(21, 0));
  const CellRange whole = grid.GetUnobstructedNonFixedCellRange();
  EXPECT_GE(21, whole.minRow);
  EXPECT_LE(21, whole.maxRow);
}

TEST(CGridCtrlKeys, DeleteClearsAnEditableFocusCell) {
  KeyGrid k(4, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetModified(false);
  grid.SetFocusCell(2, 1);
  Notifications notes(grid);
  QTest::keyClick(&grid, Qt::Key_Delete);
  EXPECT_EQ(grid.GetCellText(2, 1), QString());
  EXPECT_TRUE(grid.GetModified(2, 1));
  EXPECT_EQ(notes.Codes(), (std::vector<int>{GRIDN_BEGINEDIT, GRIDN_ENDEDIT}));

  grid.SetCellState(2, 2, CELLSTATE_READONLY);
  grid.SetFocusCell(2, 2);
  QTest::keyClick(&grid, Qt::Key_Delete);
  EXPECT_EQ(grid.GetCellText(2, 2), QStringLiteral("r2c2"));
}

TEST(CGridCtrlKeys, ClipboardKeys) {
  KeyGrid k(4, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 0);
  QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(1, 0, 3, 2));
  QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("r1c0\tr1c1\tr1c2\nr2c0\tr2c1\tr2c2\nr3c0\tr3c1\tr3c2"));
  QApplication::clipboard()->setText(QStringLiteral("X\tY"));
  grid.SetFocusCell(3, 1);
  QTest::keyClick(&grid, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(grid.GetCellText(3, 1), QStringLiteral("X"));
  EXPECT_EQ(grid.GetCellText(3, 2), QStringLiteral("Y"));
}

TEST(CGridCtrlKeys, EscapeAndEnterGoOnToTheDialog) {
  KeyGrid k(4, 3);
  ASSERT_TRUE(k.Show());
  CGridCtrl& grid = *k.grid;
  grid.SetFocusCell(1, 1);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
  QApplication::sendEvent(&grid, &escape);
  EXPECT_FALSE(escape.isAccepted());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(&grid, &enter);
  EXPECT_FALSE(enter.isAccepted());
  EXPECT_FALSE(grid.GetCell(1, 1)->IsEditing());
}

}  // namespace
