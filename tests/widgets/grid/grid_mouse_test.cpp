#include <gtest/gtest.h>

#include <QSignalSpy>

#include "grid_fixture.h"
#include "widgets/grid/grid_url_cell.h"

namespace {

using gridtest::CentreOf;
using gridtest::Notifications;

void Mouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
           Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons,
                    modifiers);
  QApplication::sendEvent(widget, &event);
}

void Click(QWidget* widget, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  Mouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, modifiers);
  Mouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton, modifiers);
}

QStringList Column(const CGridCtrl& grid, int col) {
  QStringList texts;
  for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
    texts.append(grid.GetCellText(row, col));
  return texts;
}

struct AddressBook : gridtest::Window {
  explicit AddressBook(int records = 4) {
    gridtest::MakeAddressBook(*grid, records);
    grid->setGeometry(10, 10, 417, 223);
  }
};

TEST(CGridCtrlMouse, HeadingClickSortsAscendingThenDescending) {
  AddressBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  const QStringList names = {QStringLiteral("山田"), QStringLiteral("Bob"), QStringLiteral("ｱｷﾗ"),
                             QStringLiteral("alice")};
  for (int i = 0; i < 4; ++i) grid.SetCellText(i + 1, 1, names[i]);
  grid.SetCellText(1, 2, QStringLiteral("yamada@example.jp"));
  const QPoint heading = CentreOf(grid, 0, 1);

  Click(&grid, heading);
  EXPECT_EQ(grid.GetSortColumn(), 1);
  EXPECT_TRUE(grid.GetSortAscending());
  EXPECT_EQ(Column(grid, 1), QStringList({QStringLiteral("Bob"), QStringLiteral("alice"),
                                          QStringLiteral("ｱｷﾗ"), QStringLiteral("山田")}));
  EXPECT_EQ(grid.GetCellText(4, 2), QStringLiteral("yamada@example.jp"));  // rows move whole

  Click(&grid, heading);
  EXPECT_FALSE(grid.GetSortAscending());
  EXPECT_EQ(Column(grid, 1), QStringList({QStringLiteral("山田"), QStringLiteral("ｱｷﾗ"),
                                          QStringLiteral("alice"), QStringLiteral("Bob")}));

  // Another heading sorts ascending; a change in between forgets the direction.
  Click(&grid, CentreOf(grid, 0, 2));
  EXPECT_EQ(grid.GetSortColumn(), 2);
  EXPECT_TRUE(grid.GetSortAscending());
  Click(&grid, heading);
  EXPECT_TRUE(grid.GetSortAscending());
  grid.SetModified();
  Click(&grid, heading);
  EXPECT_TRUE(grid.GetSortAscending());
}

TEST(CGridCtrlMouse, HeadingClickOutsideListModeSelectsTheColumn) {
  gridtest::Window w;
  CGridCtrl& grid = *w.grid;
  grid.SetRowCount(5);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  ASSERT_TRUE(w.Show());
  Click(&grid, CentreOf(grid, 0, 2));
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(1, 2, 4, 2));
  Click(&grid, CentreOf(grid, 3, 0));
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(3, 1, 3, 2));
  Click(&grid, CentreOf(grid, 0, 0));
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(1, 1, 4, 2));
  EXPECT_EQ(grid.GetSelectedCount(), 8);
}

TEST(CGridCtrlMouse, DragSelectsARectangleAndReleaseNotifies) {
  gridtest::Window w;
  CGridCtrl& grid = *w.grid;
  grid.SetRowCount(6);
  grid.SetColumnCount(4);
  grid.SetFixedRowCount(1);
  grid.SetControlId(1234);
  ASSERT_TRUE(w.Show());
  Notifications notes(grid);
  QSignalSpy commands(&grid, &CGridCtrl::Command);
  Mouse(&grid, QEvent::MouseButtonPress, CentreOf(grid, 1, 1), Qt::LeftButton, Qt::LeftButton);
  Mouse(&grid, QEvent::MouseMove, CentreOf(grid, 2, 2), Qt::NoButton, Qt::LeftButton);
  Mouse(&grid, QEvent::MouseMove, CentreOf(grid, 3, 2), Qt::NoButton, Qt::LeftButton);
  Mouse(&grid, QEvent::MouseButtonRelease, CentreOf(grid, 3, 2), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(grid.GetSelectedCellRange(), CellRange(1, 1, 3, 2));
  EXPECT_EQ(grid.GetFocusCell(), CellID(3, 2));
  EXPECT_EQ(notes.Count(NM_CLICK), 1);
  EXPECT_EQ(notes.all.back().idFrom, 1234);
  EXPECT_EQ(commands.count(), 0);  // posted, not sent
  QApplication::processEvents();
  ASSERT_EQ(commands.count(), 1);
  EXPECT_EQ(commands[0][0].toInt(), 1234);
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::Nothing);
}

TEST(CGridCtrlMouse, CtrlClickDeselectsJustThatCell) {
  gridtest::Window w;
  CGridCtrl& grid = *w.grid;
  grid.SetRowCount(5);
  grid.SetColumnCount(4);
  grid.SetFixedRowCount(1);
  ASSERT_TRUE(w.Show());
  Click(&grid, CentreOf(grid, 1, 1));
  Click(&grid, CentreOf(grid, 2, 2), Qt::ShiftModifier);
  ASSERT_EQ(grid.GetSelectedCount(), 4);
  Click(&grid, CentreOf(grid, 1, 2), Qt::ControlModifier);
  EXPECT_FALSE(grid.IsCellSelected(1, 2));
  EXPECT_TRUE(grid.IsCellSelected(1, 1));
  EXPECT_TRUE(grid.IsCellSelected(2, 1));
  EXPECT_TRUE(grid.IsCellSelected(2, 2));
  EXPECT_EQ(grid.GetSelectedCount(), 3);
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 2));
  // Ctrl+click on an unselected cell adds it to what was selected.
  Click(&grid, CentreOf(grid, 4, 3), Qt::ControlModifier);
  EXPECT_TRUE(grid.IsCellSelected(4, 3));
  EXPECT_TRUE(grid.IsCellSelected(1, 1));
}

TEST(CGridCtrlMouse, DraggingAHeadingBoundaryResizesTheColumn) {
  AddressBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  const QPoint boundary(68, 5);  // the right edge of column 0 in the heading row
  Mouse(&grid, QEvent::MouseMove, boundary, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::OverColumnDivider);
  EXPECT_EQ(grid.cursor().shape(), Qt::SizeHorCursor);
  Mouse(&grid, QEvent::MouseButtonPress, boundary, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::SizingColumn);
  Mouse(&grid, QEvent::MouseMove, QPoint(100, 8), Qt::NoButton, Qt::LeftButton);
  Mouse(&grid, QEvent::MouseButtonRelease, QPoint(100, 8), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(grid.GetColumnWidth(0), 100);
  EXPECT_EQ(grid.GetColumnWidth(1), 137);
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::Nothing);

  // The left edge of a column sizes the column before it; it cannot go below zero.
  const QPoint leftEdge(102, 5);
  Mouse(&grid, QEvent::MouseMove, leftEdge, Qt::NoButton, Qt::NoButton);
  Mouse(&grid, QEvent::MouseButtonPress, leftEdge, Qt::LeftButton, Qt::LeftButton);
  Mouse(&grid, QEvent::MouseMove, QPoint(-30, 8), Qt::NoButton, Qt::LeftButton);
  Mouse(&grid, QEvent::MouseButtonRelease, QPoint(-30, 8), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(grid.GetColumnWidth(0), 0);

  // No resizing below the heading row, and none when resizing is off.
  grid.SetColumnWidth(0, 69);
  Mouse(&grid, QEvent::MouseMove, QPoint(68, 40), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::Nothing);
  grid.SetColumnResize(false);
  Mouse(&grid, QEvent::MouseMove, boundary, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::Nothing);
}

TEST(CGridCtrlMouse, DoubleClickOnABoundaryFitsTheColumnToItsWidestText) {
  AddressBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetCellText(2, 1, QStringLiteral("a rather long name for this column"));
  // The release of the first click ends the sizing; no move comes before the double click.
  gridtest::Pointer pointer{grid};
  pointer.DoubleClick(QPoint(69 + 137 - 1, 5));
  EXPECT_EQ(grid.GetColumnWidth(1), grid.GetCell(2, 1)->GetCellExtent().width());
  EXPECT_GT(grid.GetColumnWidth(1), 137);

  // Rows likewise, on a row boundary within the fixed columns.
  grid.SetFixedColumnCount(1);
  grid.SetCellText(2, 0, QStringLiteral("two\nlines"));
  Rect row2;
  grid.GetCellRect(2, 0, &row2);
  pointer.DoubleClick(QPoint(10, row2.bottom - 1));
  EXPECT_EQ(grid.GetRowHeight(2), grid.GetCell(2, 0)->GetCellExtent().height());
  EXPECT_GT(grid.GetRowHeight(2), row2.Height());
}

TEST(CGridCtrlMouse, AClickOutsideTheCellsActsOnNoCell) {
  std::vector<QUrl> opened;
  CGridURLCell::SetUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  gridtest::Window w;
  CGridCtrl& grid = *w.grid;
  grid.SetRowCount(3);
  grid.SetColumnCount(2);
  grid.SetFixedRowCount(1);
  grid.SetCellType(1, 1, [] { return std::make_unique<CGridURLCell>(); });
  grid.SetCellText(1, 1, QStringLiteral("www.example.jp"));
  ASSERT_TRUE(w.Show());
  grid.SetFocusCell(1, 1);
  Notifications notes(grid);
  QSignalSpy commands(&grid, &CGridCtrl::Command);
  gridtest::Pointer{grid}.Click(QPoint(400, 200));  // right of and below every cell
  QApplication::processEvents();
  CGridURLCell::SetUrlOpener({});
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(notes.Count(NM_CLICK), 0);
  EXPECT_EQ(commands.count(), 0);
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 1));
}

TEST(CGridCtrlMouse, LeavingTheGridFromABoundaryEndsTheHover) {
  AddressBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(2, 1);
  gridtest::Pointer pointer{grid};
  pointer.Move(QPoint(68, 5));
  ASSERT_EQ(grid.GetMouseMode(), MouseMode::OverColumnDivider);
  pointer.Move(QPoint(450, 260));  // off the grid, onto the window
  EXPECT_EQ(grid.GetMouseMode(), MouseMode::Nothing);
  EXPECT_EQ(grid.cursor().shape(), Qt::ArrowCursor);
  QTest::keyClick(pointer.Window(), Qt::Key_X);
  EXPECT_TRUE(grid.GetCell(2, 1)->IsEditing());
}

TEST(CGridCtrlMouse, AJitterWithinTheDragDistanceStillEditsTheFocusCell) {
  AddressBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(2, 1);
  gridtest::Pointer pointer{grid};
  const QPoint at = CentreOf(grid, 2, 1);
  pointer.Press(at);
  pointer.Move(at + QPoint(1, 0));
  pointer.Release(at + QPoint(1, 0));
  EXPECT_TRUE(grid.GetCell(2, 1)->IsEditing());
  grid.EndEditing();
  // From the drag distance on the press is no longer an edit (without drag and drop: a click).
  const QPoint far = at + QPoint(QApplication::startDragDistance(), 0);
  pointer.Press(at);
  pointer.Move(far);
  pointer.Release(far);
  EXPECT_FALSE(grid.GetCell(2, 1)->IsEditing());
}

TEST(CGridCtrlMouse, DoubleClickOnACellStartsAnEdit) {
  gridtest::Window w;
  CGridCtrl& grid = *w.grid;
  grid.SetRowCount(4);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  grid.SetCellText(2, 1, QStringLiteral("text"));
  ASSERT_TRUE(w.Show());
  Notifications notes(grid);
  const QPoint cell = CentreOf(grid, 2, 1);
  Click(&grid, cell);
  Mouse(&grid, QEvent::MouseButtonDblClick, cell, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(grid.GetCell(2, 1)->IsEditing());
  EXPECT_EQ(notes.Count(NM_DBLCLK), 1);
  EXPECT_EQ(notes.Count(GRIDN_BEGINEDIT), 1);
}

TEST(CGridCtrlMouse, RightClickMovesTheFocusAndNotifies) {
  AddressBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  Notifications notes(grid);
  Mouse(&grid, QEvent::MouseButtonPress, CentreOf(grid, 3, 2), Qt::RightButton, Qt::RightButton);
  Mouse(&grid, QEvent::MouseButtonRelease, CentreOf(grid, 3, 2), Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(grid.GetFocusCell(), CellID(3, 2));
  ASSERT_EQ(notes.Count(NM_RCLICK), 1);
  EXPECT_EQ(notes.all.back().row, 3);
  Mouse(&grid, QEvent::MouseButtonRelease, QPoint(410, 200), Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(notes.all.back().code, NM_RCLICK);
  EXPECT_EQ(notes.all.back().row, -1);
  EXPECT_EQ(notes.all.back().column, -1);
}

void Wheel(QWidget* widget, int delta) {
  const QPoint pos(100, 100);
  QWheelEvent event(QPointF(pos), QPointF(widget->mapToGlobal(pos)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

TEST(CGridCtrlMouse, AWheelNotchScrollsTheSystemsLinesOrAPage) {
  const int saved = QApplication::wheelScrollLines();
  QApplication::setWheelScrollLines(2);
  AddressBook book(50);
  QApplication::setWheelScrollLines(saved);
  CGridCtrl& grid = *book.grid;
  EXPECT_EQ(grid.GetWheelScrollLines(), 2);  // read when the grid was made
  const int rowHeight = grid.GetRowHeight(1);
  Wheel(&grid, -120);
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), 2 * rowHeight);
  EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 3);
  Wheel(&grid, 120);
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), 0);
  // Half notches add up.
  Wheel(&grid, -60);
  Wheel(&grid, -60);
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), 2 * rowHeight);

  grid.OnVScroll(SB_TOP);
  grid.SetWheelScrollLines(-1);  // a page per notch
  Wheel(&grid, -120);
  const int page = grid.GetClientRect().Height() - grid.GetFixedRowHeight();
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), page);
  Wheel(&grid, -240);
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), 3 * page);
}

TEST(CGridCtrlMouse, DraggingPastTheBottomScrollsAndExtendsTheSelection) {
  AddressBook book(60);
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetRowSelectMode(false);
  const int lastRow = grid.GetUnobstructedNonFixedCellRange().maxRow;
  Mouse(&grid, QEvent::MouseButtonPress, CentreOf(grid, lastRow, 1), Qt::LeftButton,
        Qt::LeftButton);
  Mouse(&grid, QEvent::MouseMove, QPoint(100, grid.height() + 30), Qt::NoButton, Qt::LeftButton);
  QTest::qWait(200);
  Mouse(&grid, QEvent::MouseButtonRelease, QPoint(100, grid.height() + 30), Qt::LeftButton,
        Qt::NoButton);
  EXPECT_GT(grid.GetScrollPos(Qt::Vertical), 0);
  const CellRange selected = grid.GetSelectedCellRange();
  EXPECT_EQ(selected.minRow, lastRow);
  EXPECT_GT(selected.maxRow, lastRow);
  EXPECT_GT(grid.GetFocusCell().row, lastRow);
  // The timer stops with the button.
  const int position = grid.GetScrollPos(Qt::Vertical);
  QTest::qWait(100);
  EXPECT_EQ(grid.GetScrollPos(Qt::Vertical), position);
}

}  // namespace
