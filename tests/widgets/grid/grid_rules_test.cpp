#include <gtest/gtest.h>

#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_cell_store.h"
#include "widgets/grid/grid_clipboard.h"
#include "widgets/grid/grid_edit_rules.h"
#include "widgets/grid/grid_keys.h"
#include "widgets/grid/grid_navigation.h"

namespace {

class PlainFactory : public CGridCellFactory {
 public:
  std::unique_ptr<CGridCellBase> MakeCell(int, int) override {
    return std::make_unique<CGridCell>();
  }
  void DisposeCell(int, int) override {}
};

struct Shape {
  PlainFactory factory;
  CGridCellStore store{factory};
  Shape(int rows, int cols, int fixedRows, int fixedCols) {
    store.SetColumnCount(cols, 50);
    store.SetRowCount(rows, 20);
    store.SetFixedRowCount(fixedRows);
    store.SetFixedColumnCount(fixedCols);
  }
};

TEST(TabTarget, WrapsBetweenRowsAndLeavesAtTheEnds) {
  Shape s(4, 3, 1, 1);
  const struct {
    CellID focus;
    bool back;
    CellID next;
    bool wrapped, leaves;
  } cases[] = {
      {{1, 1}, false, {1, 2}, false, false},
      {{1, 2}, false, {2, 1}, true, false},  // to the first non-fixed column of the next row
      {{3, 2}, false, {3, 2}, false, true},  // the last cell: on to the next control
      {{2, 2}, true, {2, 1}, false, false},
      {{2, 1}, true, {1, 2}, true, false},
      {{1, 1}, true, {1, 1}, false, true},
  };
  for (const auto& c : cases) {
    const TabMove move = TabTarget(s.store, c.focus, c.back);
    EXPECT_EQ(move.next, c.next) << c.focus.row << "," << c.focus.col << " back " << c.back;
    EXPECT_EQ(move.wrapped, c.wrapped);
    EXPECT_EQ(move.leaves, c.leaves);
  }
}

TEST(ArrowTarget, SkipsZeroSizesAndStaysOutOfTheFixedCells) {
  Shape s(6, 5, 1, 1);
  s.store.SetRowHeight(3, 0);
  s.store.SetColumnWidth(2, 0);
  EXPECT_EQ(ArrowTarget(s.store, {2, 1}, VK_DOWN), CellID(4, 1));
  EXPECT_EQ(ArrowTarget(s.store, {4, 1}, VK_UP), CellID(2, 1));
  EXPECT_EQ(ArrowTarget(s.store, {1, 1}, VK_UP), CellID(1, 1));  // not into the heading
  EXPECT_EQ(ArrowTarget(s.store, {1, 1}, VK_RIGHT), CellID(1, 3));
  EXPECT_EQ(ArrowTarget(s.store, {1, 1}, VK_LEFT), CellID(1, 1));
  EXPECT_EQ(ArrowTarget(s.store, {5, 4}, VK_DOWN), CellID(5, 4));
  EXPECT_EQ(ArrowTarget(s.store, {5, 4}, VK_RIGHT), CellID(5, 4));
}

TEST(HomeEndTarget, GoesToTheEdgesPastHiddenColumnsAndRows) {
  Shape s(6, 5, 1, 1);
  s.store.SetColumnWidth(4, 0);
  s.store.SetColumnWidth(1, 0);
  s.store.SetRowHeight(5, 0);
  s.store.SetRowHeight(1, 0);
  EXPECT_EQ(HomeEndTarget(s.store, {3, 2}, true, false), CellID(3, 3));
  EXPECT_EQ(HomeEndTarget(s.store, {3, 2}, true, true), CellID(4, 3));
  EXPECT_EQ(HomeEndTarget(s.store, {3, 3}, false, false), CellID(3, 2));
  EXPECT_EQ(HomeEndTarget(s.store, {3, 3}, false, true), CellID(2, 2));
}

TEST(PageTargetRow, MovesAsFarAsTheViewMoved) {
  Shape s(50, 2, 1, 0);
  EXPECT_EQ(PageTargetRow(s.store, 10, true, 8), 18);
  EXPECT_EQ(PageTargetRow(s.store, 45, true, 8), 49);  // would pass the last row
  EXPECT_EQ(PageTargetRow(s.store, 10, true, 0), 49);  // the view did not move
  EXPECT_EQ(PageTargetRow(s.store, 10, false, 8), 2);
  EXPECT_EQ(PageTargetRow(s.store, 5, false, 8), 1);
  EXPECT_EQ(PageTargetRow(s.store, 10, false, 0), 1);
}

TEST(EditStartFor, PlacesTheCaretByTheStartingKey) {
  const struct {
    unsigned key;
    EditCaret caret;
    const char* typed;
    bool exitOnArrows;
  } cases[] = {
      {VK_LBUTTON, EditCaret::AtEnd, "", false},
      {VK_RETURN, EditCaret::AtEnd, "", true},
      {TypedChar(U'\r'), EditCaret::AtEnd, "", true},
      {VK_BACK, EditCaret::AtEndDeleteLast, "", true},
      {TypedChar(U'\b'), EditCaret::AtEndDeleteLast, "", true},
      {VK_TAB, EditCaret::SelectAll, "", true},
      {VK_DOWN, EditCaret::SelectAll, "", true},
      {VK_PRIOR, EditCaret::SelectAll, "", true},
      {TypedChar(U' '), EditCaret::SelectAll, "", true},
      {TypedChar(U'x'), EditCaret::ReplaceAll, "x", true},
      // Typed characters that share codes with navigation keys still type themselves.
      {TypedChar(U'('), EditCaret::ReplaceAll, "(", true},
      {TypedChar(U'$'), EditCaret::ReplaceAll, "$", true},
      {TypedChar(U'山'), EditCaret::ReplaceAll, "山", true},
      {'q', EditCaret::ReplaceAll, "q", true},
  };
  for (const auto& c : cases) {
    const EditStart start = EditStartFor(c.key);
    EXPECT_EQ(start.caret, c.caret) << std::hex << c.key;
    EXPECT_EQ(start.typed, QString::fromUtf8(c.typed)) << std::hex << c.key;
    EXPECT_EQ(start.exitOnArrows, c.exitOnArrows) << std::hex << c.key;
  }
}

TEST(ChoiceListResult, ANonChoiceBecomesDontSend) {
  const QStringList items = DefaultChoices();
  EXPECT_EQ(items, QStringList({QStringLiteral("送信する"), QStringLiteral("送信せず")}));
  EXPECT_EQ(ChoiceListResult(QStringLiteral("送信する"), items), QStringLiteral("送信する"));
  EXPECT_EQ(ChoiceListResult(QStringLiteral("送信"), items), QStringLiteral("送信せず"));
  EXPECT_EQ(ChoiceListResult(QString(), items), QStringLiteral("送信せず"));
}

TEST(SplitPasteText, RowsAndFieldsKeepTheirPlaces) {
  const struct {
    QString text;
    std::vector<QStringList> rows;
  } cases[] = {
      {QStringLiteral("a\tb\nc\td"), {{"a", "b"}, {"c", "d"}}},
      {QStringLiteral("a, b ,c"), {{"a", "b", "c"}}},
      {QStringLiteral("a\t\tc"), {{"a", "", "c"}}},  // an empty cell keeps its column
      {QStringLiteral("a\n\nb"), {{"a"}, {""}, {"b"}}},
      {QStringLiteral("a\r\nb\r\n"), {{"a"}, {"b"}}},  // Windows line ends, a final break
      {QString(), {{""}}},
  };
  for (const auto& c : cases) {
    const std::vector<QStringList> rows = SplitPasteText(c.text);
    ASSERT_EQ(rows.size(), c.rows.size()) << c.text.toStdString();
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], c.rows[i]);
  }
}

TEST(BuildCopyText, TabsBetweenColumnsNewlinesBetweenRows) {
  Shape s(3, 3, 0, 0);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col)
      s.store.Cell(row, col)->SetText(QStringLiteral("%1%2").arg(row).arg(col));
  }
  const auto all = [](int, int) { return true; };
  EXPECT_EQ(BuildCopyText(s.store, {0, 0, 1, 2}, all), QStringLiteral("00\t01\t02\n10\t11\t12"));
  // Unselected cells leave their place empty; hidden rows and columns are left out.
  s.store.SetColumnWidth(1, 0);
  s.store.SetRowHeight(1, 0);
  const auto diagonal = [](int row, int col) { return row == col; };
  EXPECT_EQ(BuildCopyText(s.store, {0, 0, 2, 2}, diagonal), QStringLiteral("00\t\n\t22"));
  EXPECT_EQ(BuildCopyText(s.store, CellRange(), all), QString());
}

}  // namespace
