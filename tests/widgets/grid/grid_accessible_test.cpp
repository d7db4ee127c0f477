// The grid for keyboard and screen-reader users: a focus cell as soon as keys reach it, and a
// table that assistive technology can read.
#include <gtest/gtest.h>

#include <QAccessible>

#include "grid_fixture.h"

namespace {

using gridtest::MakeAddressBook;
using gridtest::Window;

// A key as the keyboard delivers it: to the window, reaching the widget with the focus.
void Key(Window& w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(w.window.windowHandle(), key, modifiers);
  QApplication::processEvents();
}

// Reached by Tab, the grid shows its focus cell; given the focus otherwise (as a window opening
// gives it), it has none until a key comes, and that key then acts on the first cell.
TEST(CGridCtrlAccess, KeysFindAFocusCellAtOnce) {
  Window w;
  MakeAddressBook(*w.grid, 3);
  w.grid->setGeometry(10, 10, 417, 223);
  ASSERT_TRUE(w.Show());
  EXPECT_EQ(w.grid->GetFocusCell(), CellID());
  Key(w, Qt::Key_Down);
  EXPECT_EQ(w.grid->GetFocusCell(), CellID(1, 0));
  Key(w, Qt::Key_Down);
  EXPECT_EQ(w.grid->GetFocusCell(), CellID(2, 0));

  w.grid->SetFocusCell(CellID());
  w.after->setFocus();
  Key(w, Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(w.grid->hasFocus());
  EXPECT_EQ(w.grid->GetFocusCell(), CellID(1, 0));
  EXPECT_TRUE(w.grid->IsCellSelected(1, 2));  // the row, as the address book selects rows

  // Typing goes into the first cell when there is no focus cell yet.
  w.grid->SetFocusCell(CellID());
  w.grid->SetEditable(true);
  Key(w, Qt::Key_F2);
  EXPECT_EQ(w.grid->GetFocusCell(), CellID(1, 0));
  EXPECT_TRUE(w.grid->GetCell(1, 0)->IsEditing());
}

TEST(CGridCtrlAccess, IsATableWithHeadingsRowsAndCellTexts) {
  Window w;
  MakeAddressBook(*w.grid, 2);
  w.grid->setGeometry(10, 10, 417, 223);
  w.grid->SetCellText(2, 0, QStringLiteral("送信せず"));
  w.grid->SetCellText(2, 1, QString());
  ASSERT_TRUE(w.Show());

  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.grid);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->role(), QAccessible::Table);
  QAccessibleTableInterface* cells = table->tableInterface();
  ASSERT_TRUE(cells);
  EXPECT_EQ(cells->rowCount(), 2);
  EXPECT_EQ(cells->columnCount(), 3);
  EXPECT_EQ(cells->columnDescription(2), QStringLiteral("メールアドレス"));

  QAccessibleInterface* flag = cells->cellAt(1, 0);
  ASSERT_TRUE(flag);
  EXPECT_EQ(flag->text(QAccessible::Name), QStringLiteral("送信せず"));
  EXPECT_EQ(cells->cellAt(0, 2)->text(QAccessible::Name), QStringLiteral("user1@example.jp"));
  EXPECT_EQ(cells->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("空白"));
  EXPECT_EQ(cells->cellAt(2, 0), nullptr);

  QAccessibleTableCellInterface* cell = flag->tableCellInterface();
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->rowIndex(), 1);
  EXPECT_EQ(cell->columnIndex(), 0);
  ASSERT_EQ(cell->columnHeaderCells().size(), 1);
  EXPECT_EQ(cell->columnHeaderCells()[0]->text(QAccessible::Name), QStringLiteral("送信"));
  EXPECT_EQ(cell->columnHeaderCells()[0]->role(), QAccessible::ColumnHeader);

  // The tree: headings first, then the cells row by row; each cell knows its place.
  EXPECT_EQ(table->childCount(), 9);
  EXPECT_EQ(table->child(6), flag);
  EXPECT_EQ(table->indexOfChild(flag), 6);
  EXPECT_EQ(flag->parent(), table);
  const QRect flagRect = flag->rect();
  EXPECT_EQ(table->childAt(flagRect.center().x(), flagRect.center().y()), flag);

  // The focus row is what the selection and focus states say.
  w.grid->SetFocusCell(2, 0);
  EXPECT_TRUE(flag->state().focused);
  EXPECT_TRUE(cell->isSelected());
  EXPECT_EQ(cells->selectedRows(), QList<int>{1});
  EXPECT_EQ(table->focusChild(), flag);
  EXPECT_FALSE(cells->cellAt(0, 0)->state().selected);

  // A row taken away leaves its cells invalid rather than reading another row.
  w.grid->DeleteRow(2);
  EXPECT_EQ(cells->rowCount(), 1);
  EXPECT_FALSE(flag->isValid());
}

}  // namespace
