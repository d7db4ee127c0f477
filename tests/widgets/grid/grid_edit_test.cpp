#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QInputMethod>
#include <QInputMethodEvent>

#include "grid_fixture.h"
#include "widgets/grid/grid_in_place_edit.h"
#include "widgets/grid/grid_in_place_list.h"
#include "widgets/grid/grid_keys.h"
#include "window_input.h"

namespace {

using gridtest::CentreOf;
using gridtest::Notifications;

struct EditBook : gridtest::Window {
  EditBook() {
    gridtest::MakeAddressBook(*grid, 4);
    grid->setGeometry(10, 10, 417, 223);
    grid->SetModified(false);
  }
  CGridInPlaceEdit* Edit() const { return grid->findChild<CGridInPlaceEdit*>(); }
  CGridInPlaceList* List() const { return grid->findChild<CGridInPlaceList*>(); }
  // Editors delete themselves later; let them go.
  void Settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

void Click(QWidget* widget, QPoint pos) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

TEST(CGridInPlaceEdit, TypingReplacesTheTextAndEnterStoresIt) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(2, 1);
  Notifications notes(grid);
  QTest::keyClick(&grid, Qt::Key_X);
  CGridInPlaceEdit* edit = book.Edit();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QStringLiteral("x"));
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_TRUE(grid.GetCell(2, 1)->IsEditing());
  QTest::keyClicks(edit, QStringLiteral("yz"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(grid.GetCellText(2, 1), QStringLiteral("xyz"));
  EXPECT_TRUE(grid.GetModified(2, 1));
  EXPECT_FALSE(grid.GetCell(2, 1)->IsEditing());
  EXPECT_TRUE(grid.hasFocus());
  EXPECT_EQ(notes.Codes(), (std::vector<int>{GRIDN_BEGINEDIT, GRIDN_ENDEDIT}));
  book.Settle();
  EXPECT_EQ(book.Edit(), nullptr);
}

TEST(CGridInPlaceEdit, TypedCharactersThatShareKeyCodesStillReplace) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(2, 1);
  QTest::keyClick(&grid, Qt::Key_ParenLeft, Qt::NoModifier);  // "(" is 0x28, the Down key's code
  ASSERT_NE(book.Edit(), nullptr);
  EXPECT_EQ(book.Edit()->text(), QStringLiteral("("));
}

TEST(CGridInPlaceEdit, F2AndAClickOnTheFocusCellKeepTheText) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(2, 1);
  QTest::keyClick(&grid, Qt::Key_F2);
  ASSERT_NE(book.Edit(), nullptr);
  EXPECT_EQ(book.Edit()->text(), QStringLiteral("name2"));
  EXPECT_EQ(book.Edit()->cursorPosition(), 5);
  EXPECT_FALSE(book.Edit()->hasSelectedText());
  QTest::keyClick(book.Edit(), Qt::Key_Escape);
  book.Settle();

  Click(&grid, CentreOf(grid, 3, 2));  // moves the focus (to another row: list mode)
  EXPECT_EQ(book.Edit(), nullptr);
  EXPECT_EQ(grid.GetFocusCell(), CellID(3, 2));
  Click(&grid, CentreOf(grid, 3, 2));  // the focus cell: edit
  ASSERT_NE(book.Edit(), nullptr);
  EXPECT_EQ(book.Edit()->text(), QStringLiteral("user3@example.jp"));
  EXPECT_EQ(book.Edit()->cursorPosition(), 16);
  EXPECT_FALSE(book.Edit()->ExitsOnArrows());
}

TEST(CGridInPlaceEdit, BackspaceStartsWithTheLastCharacterGone) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(3, 1);
  QTest::keyClick(&grid, Qt::Key_Backspace);
  ASSERT_NE(book.Edit(), nullptr);
  EXPECT_EQ(book.Edit()->text(), QStringLiteral("name"));
}

TEST(CGridInPlaceEdit, DownCommitsATypedEditAndGoesOnBelow) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(1, 1);
  QTest::keyClick(&grid, Qt::Key_Q);
  ASSERT_NE(book.Edit(), nullptr);
  QTest::keyClick(book.Edit(), Qt::Key_Down);
  EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("q"));
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 1));
  EXPECT_TRUE(grid.GetCell(2, 1)->IsEditing());
  book.Settle();
  CGridInPlaceEdit* next = book.Edit();
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->Row(), 2);
  EXPECT_EQ(next->selectedText(), QStringLiteral("name2"));  // all selected for overtyping
  // Tab ends it and goes on to the right.
  QTest::keyClick(next, Qt::Key_Tab);
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 2));
  EXPECT_TRUE(grid.GetCell(2, 2)->IsEditing());
  EXPECT_EQ(grid.GetCellText(2, 1), QStringLiteral("name2"));
}

TEST(CGridInPlaceEdit, DownMovesTheCaretInAMouseStartedEdit) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  Click(&grid, CentreOf(grid, 1, 1));
  Click(&grid, CentreOf(grid, 1, 1));
  CGridInPlaceEdit* edit = book.Edit();
  ASSERT_NE(edit, nullptr);
  edit->setCursorPosition(0);
  QTest::keyClick(edit, Qt::Key_Down);
  EXPECT_EQ(edit->cursorPosition(), 1);
  QTest::keyClick(edit, Qt::Key_Up);
  EXPECT_EQ(edit->cursorPosition(), 0);
  EXPECT_TRUE(grid.GetCell(1, 1)->IsEditing());
  EXPECT_EQ(grid.GetFocusCell(), CellID(1, 1));
  // Ctrl+Down still ends it.
  QTest::keyClick(edit, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_FALSE(grid.GetCell(1, 1)->IsEditing());
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 1));
}

TEST(CGridInPlaceEdit, EscapeLeavesTheCellUnchangedAndUnmodified) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(2, 2);
  Notifications notes(grid);
  QTest::keyClick(&grid, Qt::Key_A);
  ASSERT_NE(book.Edit(), nullptr);
  QTest::keyClicks(book.Edit(), QStringLiteral("bc"));
  QTest::keyClick(book.Edit(), Qt::Key_Escape);
  EXPECT_EQ(grid.GetCellText(2, 2), QStringLiteral("user2@example.jp"));
  EXPECT_FALSE(grid.GetModified(2, 2));
  EXPECT_FALSE(grid.GetCellState(2, 2) & CELLSTATE_MODIFIED);
  EXPECT_FALSE(grid.GetModified());
  EXPECT_EQ(notes.Count(GRIDN_ENDEDIT), 1);
  EXPECT_EQ(grid.GetFocusCell(), CellID(2, 2));
}

TEST(CGridInPlaceEdit, LosingTheFocusEndsTheEdit) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(3, 1);
  QTest::keyClick(&grid, Qt::Key_M);
  ASSERT_NE(book.Edit(), nullptr);
  book.after->setFocus();
  EXPECT_EQ(grid.GetCellText(3, 1), QStringLiteral("m"));
  EXPECT_TRUE(book.after->hasFocus());  // the focus stays where it went
}

TEST(CGridInPlaceEdit, AnOpenEditorCommitsToItsCellBeforeRowsMove) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(3, 1);
  QTest::keyClick(&grid, Qt::Key_K);
  ASSERT_NE(book.Edit(), nullptr);
  EXPECT_EQ(grid.InsertRow(QStringLiteral("new"), 1), 1);
  EXPECT_EQ(grid.GetCellText(4, 1), QStringLiteral("k"));  // the edited cell, moved down
  EXPECT_EQ(grid.GetCellText(3, 1), QStringLiteral("name2"));
  EXPECT_FALSE(grid.GetCell(4, 1)->IsEditing());
}

TEST(CGridInPlaceEdit, NoEditOnReadOnlyCellsOrANonEditableGrid) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetCellState(2, 1, CELLSTATE_READONLY);
  grid.SetFocusCell(2, 1);
  Notifications notes(grid);
  QTest::keyClick(&grid, Qt::Key_X);
  QTest::keyClick(&grid, Qt::Key_F2);
  EXPECT_EQ(book.Edit(), nullptr);
  grid.SetEditable(false);
  grid.SetFocusCell(3, 1);
  QTest::keyClick(&grid, Qt::Key_X);
  EXPECT_EQ(book.Edit(), nullptr);
  EXPECT_EQ(notes.Count(GRIDN_BEGINEDIT), 0);
  EXPECT_EQ(grid.GetCellText(3, 1), QStringLiteral("name3"));
}

TEST(CGridInPlaceList, ATypedNonChoiceStoresDontSend) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(2, 0);
  QTest::keyClick(&grid, Qt::Key_F2);
  CGridInPlaceList* list = book.List();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Items(), QStringList({QStringLiteral("送信する"), QStringLiteral("送信せず")}));
  EXPECT_EQ(list->currentText(), QStringLiteral("送信する"));
  list->lineEdit()->selectAll();
  QTest::keyClicks(list->lineEdit(), QStringLiteral("maybe"));
  book.after->setFocus();
  EXPECT_EQ(grid.GetCellText(2, 0), QStringLiteral("送信せず"));
  EXPECT_FALSE(grid.GetCell(2, 0)->IsEditing());
}

TEST(CGridInPlaceList, OpensOnTheCellsChoiceAndEnterAddsTheTypedText) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetCellText(3, 0, QStringLiteral("送信せず"));
  grid.SetFocusCell(3, 0);
  QTest::keyClick(&grid, Qt::Key_F2);
  CGridInPlaceList* list = book.List();
  ASSERT_NE(list, nullptr);
  // Opening and leaving the list keeps the value.
  EXPECT_EQ(list->currentText(), QStringLiteral("送信せず"));
  list->lineEdit()->selectAll();
  list->lineEdit()->insert(QStringLiteral("後で"));  // as an input method would type it
  QTest::keyClick(list->lineEdit(), Qt::Key_Return);
  EXPECT_TRUE(grid.GetCell(3, 0)->IsEditing());  // stays open
  EXPECT_EQ(list->Items().back(), QStringLiteral("後で"));
  book.after->setFocus();
  EXPECT_EQ(grid.GetCellText(3, 0), QStringLiteral("後で"));
}

TEST(CGridInPlaceList, TypingStartsWithTheCharacterAndEscapeRestores) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(1, 0);
  QTest::keyClick(&grid, Qt::Key_S);
  CGridInPlaceList* list = book.List();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->currentText(), QStringLiteral("s"));
  QTest::keyClick(list->lineEdit(), Qt::Key_Escape);
  EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("送信する"));
  EXPECT_FALSE(grid.GetCell(1, 0)->IsEditing());
}

TEST(CGridInPlaceList, ChoosingAnItemFromTheDropDownReportsIt) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetFocusCell(4, 0);
  QTest::keyClick(&grid, Qt::Key_F2);
  CGridInPlaceList* list = book.List();
  ASSERT_NE(list, nullptr);
  list->showPopup();
  QAbstractItemView* view = list->view();
  view->setCurrentIndex(view->model()->index(1, 0));
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(grid.GetCellText(4, 0), QStringLiteral("送信せず"));
  EXPECT_FALSE(grid.GetCell(4, 0)->IsEditing());
}

TEST(CGridInPlaceList, ACentredCellGetsAListWithoutEditField) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  grid.SetCellFormat(2, 0, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  grid.SetFocusCell(2, 0);
  QTest::keyClick(&grid, Qt::Key_F2);
  ASSERT_NE(book.List(), nullptr);
  EXPECT_FALSE(book.List()->isEditable());
}

}  // namespace

namespace {

// What an input method does when the focus moves while it still holds the text it committed:
// it commits that text again, to the widget that is losing the focus.
class CommitAgainOnFocusOut : public QObject {
 public:
  CommitAgainOnFocusOut(QWidget& target, QString text) : target_(target), text_(std::move(text)) {
    target.installEventFilter(this);
  }
  int repeats = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &target_ && event->type() == QEvent::FocusOut && repeats < 100) {
      ++repeats;
      QInputMethodEvent commit;
      commit.setCommitString(text_);
      QCoreApplication::sendEvent(&target_, &commit);
    }
    return false;
  }

 private:
  QWidget& target_;
  QString text_;
};

// Input method events go where the platform sends them: to the application's focus object.
void SendToFocus(QInputMethodEvent& event) {
  ASSERT_NE(QGuiApplication::focusObject(), nullptr);
  QCoreApplication::sendEvent(QGuiApplication::focusObject(), &event);
}

TEST(CGridInputMethod, ComposedTextShowsInTheCellAndItsCommitStartsTheEditOnce) {
  EditBook book;
  ASSERT_TRUE(book.Show());
  CGridCtrl& grid = *book.grid;
  gridtest::Pointer(grid).Click(CentreOf(grid, 2, 1));
  ASSERT_EQ(grid.GetFocusCell(), CellID(2, 1));
  book.Settle();
  ASSERT_EQ(book.Edit(), nullptr);
  const QImage before = gridtest::Render(grid);

  QInputMethodEvent composing(QStringLiteral("にほん"), {});
  SendToFocus(composing);
  Rect cell;
  ASSERT_TRUE(grid.GetCellRect(2, 1, &cell));
  const QImage shown = gridtest::Render(grid);
  EXPECT_NE(shown.copy(cell.ToQRect()), before.copy(cell.ToQRect()));
  EXPECT_EQ(shown.copy(0, 0, grid.width(), cell.top), before.copy(0, 0, grid.width(), cell.top));
  const QRect caret = QInputMethod::queryFocusObject(Qt::ImCursorRectangle, QVariant()).toRect();
  EXPECT_TRUE(cell.ToQRect().contains(caret.topLeft())) << caret.x() << "," << caret.y();

  const CommitAgainOnFocusOut inputMethod(grid, QStringLiteral("日本"));
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("日本"));
  SendToFocus(commit);
  CGridInPlaceEdit* edit = book.Edit();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(inputMethod.repeats, 1);
  EXPECT_EQ(edit->text(), QStringLiteral("日本"));
  EXPECT_TRUE(edit->hasFocus());
  testenv::WindowKey(&book.window, Qt::Key_Return);
  EXPECT_EQ(grid.GetCellText(2, 1), QStringLiteral("日本"));
}

}  // namespace
