#include "widgets/grid/grid_text_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cstring>

#include "protocol/cp932.h"
#include "test_environment.h"
#include "widgets/grid/grid_ctrl.h"

namespace {

using Rows = std::vector<QStringList>;

QString PathOf(const QString& name) { return testenv::ProgramDir() + "/" + name; }

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Rows TextsOf(const CGridCtrl& grid) {
  Rows rows;
  for (int row = 0; row < grid.GetRowCount(); ++row) {
    QStringList texts;
    for (int col = 0; col < grid.GetColumnCount(); ++col) texts << grid.GetCellText(row, col);
    rows.push_back(texts);
  }
  return rows;
}

QByteArray Cp932(const QString& text) { return QByteArray::fromStdString(ToCp932(text)); }

TEST(GridTextFileTest, SavesOneLinePerRowAndLoadsItBackWithCommasSplitting) {
  CGridCtrl grid(nullptr, 3, 3, 1, 0);
  const Rows texts = {{"名前", "メール", "電話"},
                      {"山田 太郎", "", "090-1234-5678"},
                      {"佐藤,花子", "sato@example.jp", "メモ"}};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) grid.SetCellText(row, col, texts[row][col]);

  const QString path = PathOf("list.txt");
  ASSERT_TRUE(grid.Save(path));
  EXPECT_EQ(ReadBytes(path), QStringLiteral("名前,メール,電話\r\n"
                                            "山田 太郎,,090-1234-5678\r\n"
                                            "佐藤,花子,sato@example.jp,メモ\r\n")
                                 .toUtf8());

  CGridCtrl loaded(nullptr, 5, 5, 1, 1);
  ASSERT_TRUE(loaded.Load(path));
  // The comma splits the cell; the texts shift right and the last one drops out.
  EXPECT_EQ(TextsOf(loaded), (Rows{{"名前", "メール", "電話"},
                                   {"山田 太郎", "", "090-1234-5678"},
                                   {"佐藤", "花子", "sato@example.jp"}}));
  EXPECT_EQ(loaded.GetFixedRowCount(), 0);
  EXPECT_EQ(loaded.GetFixedColumnCount(), 0);
  EXPECT_EQ(loaded.GetCellFormat(2, 1), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  // Columns fit their widest text.
  EXPECT_EQ(loaded.GetColumnWidth(2), loaded.GetCell(2, 2)->GetCellExtent().width());
  EXPECT_TRUE(testenv::Messages().empty());
}

TEST(GridTextFileTest, LoadsLinesOfEveryShape) {
  const QByteArray longText(3000, 'x');
  const struct {
    const char* what;
    QByteArray bytes;
    Rows rows;
  } cases[] = {
      {"empty file", "", {}},
      {"a line break only", "\r\n", {{""}}},
      {"lone LF line ends, no break at the end", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
      {"short and long rows", "a,b\r\n1\r\n2,3,4\r\n", {{"a", "b"}, {"1", ""}, {"2", "3"}}},
      {"an empty last cell", "a,b\r\n1,\r\n", {{"a", "b"}, {"1", ""}}},
      {"a line longer than 1023 characters",
       "h\r\n" + longText + "\r\nend\r\n",
       {{"h"}, {QString::fromLatin1(longText)}, {"end"}}},
      {"code page 932",
       Cp932("名前,住所\r\n山田,東京都ソ区\r\n"),
       {{"名前", "住所"}, {"山田", "東京都ソ区"}}},
      {"UTF-8 with a byte order mark", "\xEF\xBB\xBF名前\r\n表\r\n", {{"名前"}, {"表"}}},
  };
  const QString path = PathOf("in.txt");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(path, c.bytes);
    CGridCtrl grid(nullptr, 2, 2, 1, 1);
    ASSERT_TRUE(grid.Load(path));
    EXPECT_EQ(TextsOf(grid), c.rows);
  }
  EXPECT_TRUE(testenv::Messages().empty());
}

TEST(GridTextFileTest, ReportsFileErrors) {
  CGridCtrl grid(nullptr, 2, 2, 1, 0);
  grid.SetCellText(1, 1, "kept");
  const QString missing = PathOf("no/such/folder/list.txt");

  EXPECT_FALSE(grid.Save(missing));
  EXPECT_FALSE(grid.Load(missing));
  EXPECT_EQ(grid.GetCellText(1, 1), "kept");
  // Writing fails once the disk is full; this file opens but cannot be read.
  EXPECT_FALSE(grid.Save("/dev/full"));
  EXPECT_FALSE(grid.Load("/proc/self/mem"));
  EXPECT_EQ(grid.GetCellText(1, 1), "kept");  // a failed read leaves the grid alone too

  const auto& messages = testenv::Messages();
  ASSERT_EQ(messages.size(), 4u);
  const QString reason = QString::fromLocal8Bit(std::strerror(ENOENT));
  EXPECT_EQ(messages[0].text, missing + ": " + reason);
  EXPECT_EQ(messages[1].text, missing + ": " + reason);
  EXPECT_EQ(messages[2].text, "Unable to save grid list");
  EXPECT_EQ(messages[3].text, "Unable to load grid data");
}

TEST(GridTextFileTest, LoadingRowsKeepsTheColumnsAndTheLookOfTheRows) {
  CGridCtrl grid(nullptr, 3, 2, 1, 0);
  grid.SetCellText(0, 0, "名前");
  grid.SetCellText(0, 1, "アドレス");
  grid.SetColumnWidth(1, 210);
  grid.SetCellBackColor(1, 1, 0xFFFFFF);
  grid.SetCellFormat(1, 1, 0x824);
  grid.SetRowHeight(1, 31);

  const QString path = PathOf("rows.txt");
  WriteBytes(path,
             Cp932("Name,Mail\r\n山田,yamada@example.jp,extra\r\n佐藤\r\n鈴木,s@example.jp\r\n"));
  ASSERT_TRUE(LoadGridRows(grid, path));
  EXPECT_EQ(TextsOf(grid), (Rows{{"名前", "アドレス"},
                                 {"山田", "yamada@example.jp"},
                                 {"佐藤", ""},
                                 {"鈴木", "s@example.jp"}}));
  EXPECT_EQ(grid.GetFixedRowCount(), 1);
  EXPECT_EQ(grid.GetColumnWidth(1), 210);
  for (int row = 1; row < 4; ++row) {
    EXPECT_EQ(grid.GetCellBackColor(row, 1), 0xFFFFFFu);
    EXPECT_EQ(grid.GetCellFormat(row, 1), 0x824u);
    EXPECT_EQ(grid.GetRowHeight(row), 31);
  }

  // A file that cannot be read leaves the rows alone.
  EXPECT_FALSE(LoadGridRows(grid, PathOf("missing.txt")));
  EXPECT_EQ(grid.GetRowCount(), 4);
  EXPECT_EQ(testenv::Messages().size(), 1u);
}

}  // namespace
