#include "widgets/grid/grid_sort.h"

#include <gtest/gtest.h>

#include "widgets/grid/grid_ctrl.h"

namespace {

TEST(CompareCp932, OrdersByCodePage932CharacterCodes) {
  const struct {
    const char16_t* lower;
    const char16_t* higher;
  } cases[] = {
      {u"A", u"a"},            // case-sensitive: upper case first
      {u"Z", u"ｱ"},            // half-width katakana (0xB1) after ASCII
      {u"ｱ", u"あ"},           // ... and before every double-byte character (0x82A0)
      {u"あ", u"ア"},          // hiragana (0x82A0) before katakana (0x8341)
      {u"亜", u"一"},          // JIS order (0x889F < 0x88EA), not Unicode order
      {u"山田", u"山田太郎"},  // a prefix first
      {u"", u"a"},
      {u"一", u"\U0001F600"},  // no code page 932 form: after everything
  };
  for (const auto& c : cases) {
    const QString lower = QString::fromUtf16(c.lower), higher = QString::fromUtf16(c.higher);
    EXPECT_LT(CompareCp932(lower, higher), 0)
        << lower.toStdString() << " < " << higher.toStdString();
    EXPECT_GT(CompareCp932(higher, lower), 0);
    EXPECT_EQ(CompareCp932(lower, lower), 0);
  }
}

TEST(SortedOrder, IsStableBothWays) {
  const std::vector<QString> texts = {QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b"),
                                      QStringLiteral("c"), QStringLiteral("a")};
  EXPECT_EQ(SortedOrder(texts, true), (std::vector<int>{1, 4, 0, 2, 3}));
  EXPECT_EQ(SortedOrder(texts, false), (std::vector<int>{3, 0, 2, 1, 4}));
  EXPECT_TRUE(SortedOrder({}, true).empty());
}

// 100 000 rows of equal, sorted and reverse-sorted texts: the kinds of input that send a
// middle-pivot quicksort deep or quadratic. Each must come out in order.
class LargeSort : public ::testing::TestWithParam<int> {};

TEST_P(LargeSort, SortsOneHundredThousandRows) {
  constexpr int kRows = 100000;
  CGridCtrl grid(nullptr, kRows + 1, 2, 1, 0);
  for (int i = 0; i < kRows; ++i) {
    QString text;
    switch (GetParam()) {
      case 0:
        text = QStringLiteral("same");
        break;
      case 1:
        text = QStringLiteral("%1").arg(i, 6, 10, QChar(u'0'));
        break;
      default:
        text = QStringLiteral("%1").arg(kRows - i, 6, 10, QChar(u'0'));
        break;
    }
    grid.SetCellText(i + 1, 0, text);
    grid.SetCellText(i + 1, 1, QString::number(i));
  }
  for (bool ascending : {true, false}) {
    ASSERT_TRUE(grid.SortTextItems(0, ascending));
    for (int row = 2; row <= kRows; ++row) {
      const int order = CompareCp932(grid.GetCellText(row - 1, 0), grid.GetCellText(row, 0));
      ASSERT_TRUE(ascending ? order <= 0 : order >= 0) << "row " << row;
    }
  }
  // Rows move whole: the second column still belongs to its text.
  for (int row = 1; row <= kRows; row += 997) {
    const int i = grid.GetCellText(row, 1).toInt();
    const QString expected = GetParam() == 0 ? QStringLiteral("same")
                             : GetParam() == 1
                                 ? QStringLiteral("%1").arg(i, 6, 10, QChar(u'0'))
                                 : QStringLiteral("%1").arg(kRows - i, 6, 10, QChar(u'0'));
    EXPECT_EQ(grid.GetCellText(row, 0), expected);
  }
  EXPECT_EQ(grid.GetCellText(0, 0), QString());  // the heading row stays on top
}

INSTANTIATE_TEST_SUITE_P(EqualSortedReverse, LargeSort, ::testing::Values(0, 1, 2));

TEST(SortTextItems, ClearsSelectionAndFocusAndRemembersTheColumn) {
  CGridCtrl grid(nullptr, 4, 2, 1, 0);
  grid.SetCellText(1, 1, QStringLiteral("b"));
  grid.SetCellText(2, 1, QStringLiteral("c"));
  grid.SetCellText(3, 1, QStringLiteral("a"));
  grid.SetFocusCell(2, 1);
  grid.SetSelectedRange({1, 0, 2, 1});
  ASSERT_TRUE(grid.SortTextItems(1, false));
  EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("c"));
  EXPECT_EQ(grid.GetCellText(3, 1), QStringLiteral("a"));
  EXPECT_EQ(grid.GetSortColumn(), 1);
  EXPECT_FALSE(grid.GetSortAscending());
  EXPECT_EQ(grid.GetFocusCell(), CellID());
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 2; ++col)
      EXPECT_FALSE(grid.GetCellState(row, col) & (CELLSTATE_SELECTED | CELLSTATE_FOCUSED));
  }
  // Any change afterwards forgets the sort column.
  grid.SetModified();
  EXPECT_EQ(grid.GetSortColumn(), -1);
  EXPECT_FALSE(grid.SortTextItems(2, true));
}

}  // namespace
