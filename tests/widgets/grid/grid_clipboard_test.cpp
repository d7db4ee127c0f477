#include <gtest/gtest.h>

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "grid_fixture.h"

namespace {

using gridtest::CentreOf;
using gridtest::Notifications;

void Fill(CGridCtrl& grid, int rows, int cols) {
  grid.SetRowCount(rows);
  grid.SetColumnCount(cols);
  grid.SetFixedRowCount(1);
  for (int col = 0; col < cols; ++col) grid.SetColumnWidth(col, 60);
  for (int row = 1; row < rows; ++row) {
    for (int col = 0; col < cols; ++col)
      grid.SetCellText(row, col, QStringLiteral("%1%2").arg(QChar(u'a' + row - 1)).arg(col));
  }
}

QStringList Block(const CGridCtrl& grid, const CellRange& range) {
  QStringList texts;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    for (int col = range.minCol; col <= range.maxCol; ++col)
      texts.append(grid.GetCellText(row, col));
  }
  return texts;
}

TEST(CGridCtrlClipboard, CopyAndPasteRoundTripIntoAnotherGrid) {
  CGridCtrl source, target;
  Fill(source, 5, 4);
  Fill(target, 6, 5);
  source.SetCellText(2, 2, QString());  // an empty cell in the middle keeps its place
  source.SetSelectedRange({1, 1, 3, 3});
  source.OnEditCopy();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a1\ta2\ta3\nb1\t\tb3\nc1\tc2\tc3"));

  target.SetModified(false);
  target.SetSelectedRange({2, 0, 2, 4});
  target.SetFocusCell(2, 0);
  Notifications notes(target);
  ASSERT_TRUE(target.CanPaste());
  target.OnEditPaste();
  EXPECT_EQ(Block(target, {2, 0, 4, 2}), Block(source, {1, 1, 3, 3}));
  EXPECT_EQ(target.GetCellText(2, 3), QStringLiteral("b3"));  // untouched beyond the block
  EXPECT_EQ(notes.Count(GRIDN_BEGINEDIT), 9);
  EXPECT_EQ(notes.Count(GRIDN_ENDEDIT), 9);
  EXPECT_TRUE(target.GetModified(3, 1));
  // Pasted cells lose their selection; the rest of the row keeps it.
  EXPECT_FALSE(target.IsCellSelected(2, 1));
  EXPECT_TRUE(target.IsCellSelected(2, 4));
}

TEST(CGridCtrlClipboard, CutClearsTheSelectionAndPasteBringsItBack) {
  CGridCtrl grid;
  Fill(grid, 5, 3);
  const QStringList before = Block(grid, {1, 0, 2, 1});
  grid.SetSelectedRange({1, 0, 2, 1});
  ASSERT_TRUE(grid.CanCut());
  grid.OnEditCut();
  EXPECT_EQ(Block(grid, {1, 0, 2, 1}), QStringList({"", "", "", ""}));
  EXPECT_EQ(grid.GetCellText(1, 2), QStringLiteral("a2"));
  grid.SetFocusCell(3, 1);
  grid.OnEditPaste();
  EXPECT_EQ(Block(grid, {3, 1, 4, 2}), before);
  // Pasting at the edge drops what falls outside.
  grid.SetFocusCell(4, 2);
  grid.OnEditPaste();
  EXPECT_EQ(grid.GetCellText(4, 2), before[0]);
  EXPECT_EQ(grid.GetRowCount(), 5);
}

TEST(CGridCtrlClipboard, ReadOnlyCellsKeepTheirTextThroughCutAndPaste) {
  CGridCtrl grid;
  Fill(grid, 4, 3);
  grid.SetCellState(1, 1, CELLSTATE_READONLY);
  grid.SetSelectedRange({1, 0, 1, 2});
  grid.OnEditCut();
  EXPECT_EQ(grid.GetCellText(1, 0), QString());
  EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("a1"));
  auto data = std::make_unique<QMimeData>();
  data->setText(QStringLiteral("x\ty\tz"));
  EXPECT_TRUE(grid.PasteTextToGrid({1, 0}, data.get()));
  EXPECT_EQ(Block(grid, {1, 0, 1, 2}), QStringList({"x", "a1", "z"}));
  EXPECT_FALSE(grid.PasteTextToGrid({1, 1}, data.get()));  // the target itself is read-only
  grid.SetEditable(false);
  EXPECT_FALSE(grid.CanCut());
  EXPECT_FALSE(grid.PasteTextToGrid({1, 0}, data.get()));
}

TEST(CGridCtrlClipboard, HiddenRowsAndColumnsAreSkipped) {
  CGridCtrl grid;
  Fill(grid, 5, 4);
  grid.SetColumnWidth(1, 0);
  grid.SetRowHeight(2, 0);
  auto data = std::make_unique<QMimeData>();
  data->setText(QStringLiteral("p,q\nr,s"));
  grid.PasteTextToGrid({1, 0}, data.get());
  EXPECT_EQ(Block(grid, {1, 0, 3, 2}),
            QStringList({"p", "a1", "q", "b0", "b1", "b2", "r", "c1", "s"}));
  grid.SetSelectedRange({1, 0, 3, 2});
  EXPECT_EQ(grid.CopyTextFromSelection()->text(), QStringLiteral("p\tq\nr\ts"));
}

// Plays a drag as the window system would: enter, move and drop on `target` at `point`.
struct DragPlayer {
  CGridCtrl* target = nullptr;
  QPoint point;
  Qt::KeyboardModifiers keys = Qt::NoModifier;
  int runs = 0;

  Qt::DropAction operator()(CGridCtrl*, QMimeData* data, Qt::DropActions actions) {
    ++runs;
    std::unique_ptr<QMimeData> owned(data);
    QDragEnterEvent enter(point, actions, data, Qt::LeftButton, keys);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDragMoveEvent move(point, actions, data, Qt::LeftButton, keys);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted()) return Qt::IgnoreAction;
    EXPECT_TRUE(
        target->GetCellState(target->GetCellFromPt(point).row, target->GetCellFromPt(point).col) &
        CELLSTATE_DROPHILITED);
    QDropEvent drop(QPointF(point), actions, data, Qt::LeftButton, keys);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }
};

struct TwoGrids {
  QWidget window;
  CGridCtrl* source;
  CGridCtrl* target;
  TwoGrids() {
    window.resize(700, 300);
    source = new CGridCtrl(&window);
    target = new CGridCtrl(&window);
    source->setGeometry(0, 0, 320, 200);
    target->setGeometry(340, 0, 320, 200);
    Fill(*source, 5, 3);
    Fill(*target, 5, 3);
    for (int row = 1; row < 5; ++row) {
      for (int col = 0; col < 3; ++col) target->SetCellText(row, col, QString());
    }
    source->SetDragAndDrop(true);
    target->SetDragAndDrop(true);
    window.show();
  }
  ~TwoGrids() { CGridCtrl::SetDragRunner({}); }

  // Selects (1, 0)-(2, 1) in the source and drags it from (2, 0) far enough to start.
  void Drag() {
    const auto mouse = [this](QEvent::Type type, QPoint pos, Qt::MouseButton button,
                              Qt::MouseButtons buttons) {
      QMouseEvent event(type, QPointF(pos), QPointF(source->mapToGlobal(pos)), button, buttons,
                        Qt::NoModifier);
      QApplication::sendEvent(source, &event);
    };
    source->SetFocusCell(1, 0);
    source->SetSelectedRange({1, 0, 2, 1});
    const QPoint from = CentreOf(*source, 2, 0);
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(source->GetMouseMode(), MouseMode::PrepareDrag);
    mouse(QEvent::MouseMove, from + QPoint(30, 0), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, from + QPoint(30, 0), Qt::LeftButton, Qt::NoButton);
  }
};

TEST(CGridCtrlDragDrop, MovingCellsToAnotherGrid) {
  TwoGrids grids;
  DragPlayer player;
  player.target = grids.target;
  player.point = CentreOf(*grids.target, 2, 1);
  CGridCtrl::SetDragRunner(std::ref(player));
  Notifications notes(*grids.source);
  grids.Drag();
  EXPECT_EQ(player.runs, 1);
  EXPECT_EQ(notes.Count(GRIDN_BEGINDRAG), 1);
  EXPECT_EQ(CellID(notes.all.front().row, notes.all.front().column), CellID(1, 0));
  EXPECT_EQ(Block(*grids.target, {2, 1, 3, 2}), QStringList({"a0", "a1", "b0", "b1"}));
  EXPECT_EQ(Block(*grids.source, {1, 0, 2, 1}), QStringList({"", "", "", ""}));  // moved
  EXPECT_EQ(grids.source->GetCellText(1, 2), QStringLiteral("a2"));
  EXPECT_FALSE(grids.target->GetCellState(2, 1) & CELLSTATE_DROPHILITED);
  EXPECT_EQ(grids.source->GetMouseMode(), MouseMode::Nothing);
}

TEST(CGridCtrlDragDrop, CtrlCopiesAndRefusedDropsChangeNothing) {
  TwoGrids grids;
  DragPlayer player;
  player.target = grids.target;
  player.point = CentreOf(*grids.target, 3, 0);
  player.keys = Qt::ControlModifier;
  CGridCtrl::SetDragRunner(std::ref(player));
  grids.Drag();
  EXPECT_EQ(Block(*grids.target, {3, 0, 4, 1}), QStringList({"a0", "a1", "b0", "b1"}));
  EXPECT_EQ(Block(*grids.source, {1, 0, 2, 1}), QStringList({"a0", "a1", "b0", "b1"}));

  // A target that does not allow drag and drop refuses the text.
  grids.target->SetDragAndDrop(false);
  player.keys = Qt::NoModifier;
  player.point = CentreOf(*grids.target, 1, 2);
  grids.Drag();
  EXPECT_EQ(grids.target->GetCellText(1, 2), QString());
  EXPECT_EQ(grids.source->GetCellText(1, 0), QStringLiteral("a0"));

  // A read-only cell under the pointer refuses it too.
  grids.target->SetDragAndDrop(true);
  grids.target->SetCellState(1, 2, CELLSTATE_READONLY);
  grids.Drag();
  EXPECT_EQ(grids.target->GetCellText(1, 2), QString());
  EXPECT_EQ(grids.source->GetCellText(1, 0), QStringLiteral("a0"));
}

TEST(CGridCtrlDragDrop, TheHighlightDoesNotStayBehindOverAReadOnlyCell) {
  TwoGrids grids;
  CGridCtrl& target = *grids.target;
  target.SetCellState(2, 1, CELLSTATE_READONLY);
  QMimeData data;
  data.setText(QStringLiteral("x"));
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(CentreOf(target, 1, 1), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  ASSERT_TRUE(target.GetCellState(1, 1) & CELLSTATE_DROPHILITED);
  QDragMoveEvent move(CentreOf(target, 2, 1), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &move);
  EXPECT_FALSE(move.isAccepted());
  EXPECT_FALSE(target.GetCellState(1, 1) & CELLSTATE_DROPHILITED);
  EXPECT_FALSE(target.GetCellState(2, 1) & CELLSTATE_DROPHILITED);
}

TEST(CGridCtrlDragDrop, BeginDragNamesASelectedCell) {
  TwoGrids grids;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&grids.window));
  CGridCtrl::SetDragRunner([](CGridCtrl*, QMimeData* data, Qt::DropActions) {
    delete data;
    return Qt::IgnoreAction;
  });
  CGridCtrl& source = *grids.source;
  gridtest::Pointer pointer{source};
  // (1, 1) and (2, 0): the corner of their range, (1, 0), is not selected.
  pointer.Click(CentreOf(source, 1, 1));
  pointer.Click(CentreOf(source, 2, 0), Qt::ControlModifier);
  ASSERT_EQ(source.GetSelectedCount(), 2);
  ASSERT_FALSE(source.IsCellSelected(1, 0));
  Notifications notes(source);
  const QPoint from = CentreOf(source, 1, 1);
  pointer.Press(from);
  pointer.Move(from + QPoint(30, 0));
  pointer.Release(from + QPoint(30, 0));
  ASSERT_EQ(notes.Count(GRIDN_BEGINDRAG), 1);
  const GridNotify& begin = notes.all.front();
  EXPECT_EQ(begin.code, GRIDN_BEGINDRAG);
  EXPECT_EQ(CellID(begin.row, begin.column), CellID(1, 1));
}

TEST(CGridCtrlDragDrop, APressThatDoesNotMoveIsAClickThatClearsTheSelection) {
  TwoGrids grids;
  DragPlayer player;
  player.target = grids.target;
  CGridCtrl::SetDragRunner(std::ref(player));
  CGridCtrl& source = *grids.source;
  source.SetFocusCell(1, 0);
  source.SetSelectedRange({1, 0, 2, 1});
  const QPoint at = CentreOf(source, 2, 1);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(source.mapToGlobal(at)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&source, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(source.mapToGlobal(at)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&source, &release);
  EXPECT_EQ(player.runs, 0);
  EXPECT_EQ(source.GetSelectedCount(), 0);
  EXPECT_EQ(source.GetFocusCell(), CellID(1, 0));
}

}  // namespace
