#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_cell_store.h"
#include "widgets/grid/grid_selection.h"
#include "widgets/grid/grid_view.h"

namespace {

// Makes plain cells whose text names where they were made, and counts what it disposes of.
class TestFactory : public CGridCellFactory {
 public:
  std::unique_ptr<CGridCellBase> MakeCell(int row, int col) override {
    auto cell = std::make_unique<CGridCell>();
    cell->SetText(QStringLiteral("%1,%2").arg(row).arg(col));
    ++made;
    return cell;
  }
  void DisposeCell(int, int) override { ++disposed; }
  int made = 0;
  int disposed = 0;
};

struct Model {
  TestFactory factory;
  CGridCellStore store{factory};
  QString Text(int row, int col) const { return store.Cell(row, col)->GetText(); }
};

TEST(CGridCellStore, CountsMakeAndDisposeCells) {
  Model m;
  m.store.SetRowCount(4, 20);
  EXPECT_EQ(m.factory.made, 0);  // no columns yet
  m.store.SetColumnCount(3, 50);
  EXPECT_EQ(m.factory.made, 12);
  m.store.SetRowCount(2, 20);
  EXPECT_EQ(m.factory.disposed, 6);
  m.store.SetColumnCount(1, 50);
  EXPECT_EQ(m.factory.disposed, 10);
  EXPECT_EQ(m.store.Cell(2, 0), nullptr);
  EXPECT_EQ(m.store.Cell(0, 1), nullptr);
  EXPECT_EQ(m.store.Cell(-1, 0), nullptr);
  EXPECT_NE(m.store.Cell(1, 0), nullptr);
}

TEST(CGridCellStore, InsertDeleteAndPermuteKeepRowsWithTheirHeights) {
  Model m;
  m.store.SetColumnCount(2, 50);
  m.store.SetRowCount(3, 20);
  m.store.SetRowHeight(1, 33);
  EXPECT_EQ(m.store.InsertRow(1, 15), 1);
  EXPECT_EQ(m.store.RowCount(), 4);
  EXPECT_EQ(m.store.RowHeight(1), 15);
  EXPECT_EQ(m.store.RowHeight(2), 33);
  EXPECT_EQ(m.Text(2, 1), QStringLiteral("1,1"));  // the old row 1 moved down
  EXPECT_EQ(m.store.InsertRow(-1, 10), 4);         // appended
  m.store.DeleteRow(0);
  EXPECT_EQ(m.Text(1, 0), QStringLiteral("1,0"));
  EXPECT_EQ(m.store.RowHeight(1), 33);
  m.store.PermuteRows(1, {3, 1, 2});
  EXPECT_EQ(m.store.RowHeight(1), 10);
  EXPECT_EQ(m.store.RowHeight(2), 33);
  EXPECT_EQ(m.store.RowTop(3), 15 + 10 + 33);
}

TEST(CGridCellStore, PositionsSkipZeroSizedRows) {
  Model m;
  m.store.SetColumnCount(1, 50);
  m.store.SetRowCount(4, 10);
  m.store.SetRowHeight(1, 0);
  EXPECT_EQ(m.store.VirtualHeight(), 30);
  EXPECT_EQ(m.store.RowAt(0), 0);
  EXPECT_EQ(m.store.RowAt(9), 0);
  EXPECT_EQ(m.store.RowAt(10), 2);  // row 1 has no height
  EXPECT_EQ(m.store.RowAt(29), 3);
  EXPECT_EQ(m.store.RowAt(30), -1);
  EXPECT_EQ(m.store.FirstRowAtOrAfter(0, 15), 3);
  EXPECT_EQ(m.store.FirstRowAtOrAfter(0, 100), 4);
}

struct ViewModel : Model {
  CGridView view{store};
  ViewModel() {
    store.SetColumnCount(3, 100);
    store.SetRowCount(21, 20);
    store.SetFixedRowCount(1);
    store.SetFixedColumnCount(1);
    view.SetClientSize(250, 110);  // the fixed row and 4.5 rows
  }
};

TEST(CGridView, FixedCellsStayAndOthersScrollByWholeRows) {
  ViewModel m;
  EXPECT_EQ(m.view.MaxScrollY(), 21 * 20 - 110);
  EXPECT_EQ(m.view.CellFromPoint({5, 5}), CellID(0, 0));
  EXPECT_EQ(m.view.CellFromPoint({105, 25}), CellID(1, 1));
  EXPECT_EQ(m.view.CellFromPoint({105, 25}, false), CellID(1, 1));
  EXPECT_EQ(m.view.CellFromPoint({5, 25}, false), CellID());
  EXPECT_EQ(m.view.CellFromPoint({260, 25}), CellID());

  m.view.VScroll(SB_LINEDOWN);
  EXPECT_EQ(m.view.ScrollY(), 20);
  EXPECT_EQ(m.view.TopLeftNonFixed(), CellID(2, 1));
  EXPECT_EQ(m.view.CellFromPoint({105, 25}), CellID(2, 1));
  EXPECT_EQ(m.view.CellFromPoint({105, 5}), CellID(0, 1));  // the heading stays
  EXPECT_EQ(m.view.CellRect(2, 1), Rect(100, 20, 200, 40));
  EXPECT_EQ(m.view.VisibleNonFixed(), CellRange(2, 1, 6, 2));
  EXPECT_EQ(m.view.UnobstructedNonFixed(), CellRange(2, 1, 5, 1));

  // A page is the client height below the fixed rows; a position between rows shows the next.
  m.view.VScroll(SB_PAGEDOWN);
  EXPECT_EQ(m.view.ScrollY(), 20 + 90);
  EXPECT_EQ(m.view.TopLeftNonFixed().row, 7);
  m.view.VScroll(SB_BOTTOM);
  EXPECT_EQ(m.view.ScrollY(), m.view.MaxScrollY());
  EXPECT_FALSE(m.view.VScroll(SB_LINEDOWN));
  m.view.VScroll(SB_TOP);
  EXPECT_FALSE(m.view.VScroll(SB_LINEUP));
  EXPECT_EQ(m.view.ScrollY(), 0);
}

TEST(CGridView, LineStepsSkipZeroHeightRows) {
  ViewModel m;
  m.store.SetRowHeight(1, 0);
  m.store.SetRowHeight(2, 0);
  m.view.VScroll(SB_LINEDOWN);
  EXPECT_EQ(m.view.ScrollY(), 20);  // row 3's height
  EXPECT_EQ(m.view.TopLeftNonFixed().row, 4);
  m.view.VScroll(SB_LINEUP);
  EXPECT_EQ(m.view.ScrollY(), 0);
}

TEST(CGridView, EnsureVisibleBringsTheWholeCellIn) {
  ViewModel m;
  EXPECT_TRUE(m.view.EnsureVisible(10, 2));
  const CellRange whole = m.view.UnobstructedNonFixed();
  EXPECT_EQ(whole.maxRow, 10);
  EXPECT_LE(whole.minCol, 2);
  EXPECT_GE(whole.maxCol, 2);
  EXPECT_TRUE(m.view.EnsureVisible(3, 1));
  EXPECT_EQ(m.view.TopLeftNonFixed(), CellID(3, 1));
  EXPECT_FALSE(m.view.EnsureVisible(4, 1));  // already wholly visible
}

TEST(LayOutScrollBars, ABarOnlyWhenTheCellsDoNotFit) {
  const struct {
    long long width, height;
    bool vertical, horizontal;
  } cases[] = {
      {400, 200, false, false}, {380, 300, true, false}, {500, 200, false, true},
      {420, 220, true, true},  // the horizontal bar takes the room the rows needed
      {405, 250, true, true},  // the vertical bar takes the room the columns needed
  };
  for (const auto& c : cases) {
    const ScrollBarLayout layout = LayOutScrollBars(c.width, c.height, 410, 230, 16, 16);
    EXPECT_EQ(layout.vertical, c.vertical) << c.width << "x" << c.height;
    EXPECT_EQ(layout.horizontal, c.horizontal) << c.width << "x" << c.height;
    EXPECT_EQ(layout.clientWidth, 410 - (c.vertical ? 16 : 0));
    EXPECT_EQ(layout.clientHeight, 230 - (c.horizontal ? 16 : 0));
  }
}

TEST(SelectionRangeFor, FollowsTheMouseMode) {
  Model m;
  m.store.SetColumnCount(4, 50);
  m.store.SetRowCount(6, 20);
  m.store.SetFixedRowCount(1);
  m.store.SetFixedColumnCount(1);
  const CellID start(2, 2), cell(4, 1);
  EXPECT_EQ(SelectionRangeFor(m.store, MouseMode::SelectAll, start, cell, false, false),
            CellRange(1, 1, 5, 3));
  EXPECT_EQ(SelectionRangeFor(m.store, MouseMode::SelectColumns, start, cell, false, false),
            CellRange(1, 1, 5, 2));
  EXPECT_EQ(SelectionRangeFor(m.store, MouseMode::SelectRows, start, cell, false, false),
            CellRange(2, 1, 4, 3));
  EXPECT_EQ(SelectionRangeFor(m.store, MouseMode::SelectRows, start, cell, true, true),
            CellRange(4, 1, 4, 3));
  EXPECT_EQ(SelectionRangeFor(m.store, MouseMode::SelectCells, start, cell, false, false),
            CellRange(2, 1, 4, 2));
  EXPECT_FALSE(
      SelectionRangeFor(m.store, MouseMode::SelectCells, start, {0, 2}, false, false).IsValid());
  EXPECT_FALSE(SelectionRangeFor(m.store, MouseMode::Nothing, start, cell, false, false).IsValid());
}

TEST(CGridSelection, KeepsStatesSetAndPreviousSelectionInStep) {
  Model m;
  m.store.SetColumnCount(3, 50);
  m.store.SetRowCount(5, 20);
  m.store.SetFixedRowCount(1);
  CGridSelection selection(m.store);
  std::vector<CellID> redrawn;
  const auto redraw = [&](int row, int col) { redrawn.push_back({row, col}); };

  // Limits inside the fixed rows are raised out of them.
  selection.SetRange({0, 0, 1, 1}, false, false, redraw);
  EXPECT_EQ(selection.Count(), 2);
  EXPECT_EQ(selection.Range(), CellRange(1, 0, 1, 1));
  EXPECT_TRUE(m.store.Cell(1, 1)->GetState() & CELLSTATE_SELECTED);
  EXPECT_EQ(redrawn.size(), 2u);

  // A Ctrl-drag keeps the earlier cells selected.
  selection.KeepAsPrevious();
  redrawn.clear();
  selection.SetRange({3, 2, 3, 2}, false, false, redraw);
  EXPECT_EQ(selection.Count(), 3);
  EXPECT_TRUE(selection.Contains({1, 0}));
  // Only the one new cell changed for good (the old ones left and came back).
  EXPECT_TRUE(m.store.Cell(3, 2)->GetState() & CELLSTATE_SELECTED);

  // Single-row selection ignores the kept cells.
  selection.SetRange({4, 0, 4, 2}, true, false, redraw);
  EXPECT_EQ(selection.Count(), 3);
  EXPECT_EQ(selection.Range(), CellRange(4, 0, 4, 2));
  EXPECT_FALSE(m.store.Cell(1, 0)->GetState() & CELLSTATE_SELECTED);

  selection.ClearPrevious();
  selection.Clear(redraw);
  EXPECT_EQ(selection.Count(), 0);
  EXPECT_FALSE(selection.Range().IsValid());
}

}  // namespace
