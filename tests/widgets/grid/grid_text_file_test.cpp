#include "widgets/grid/grid_text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "file_size_limit.h"
#include "protocol/cp932.h"
#include "test_environment.h"
#include "test_files.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_row_file.h"

namespace {

using Rows = std::vector<QStringList>;

QString PathOf(const QString& name) { return testenv::ProgramDir() + "/" + name; }

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
  EXPECT_EQ(testenv::ReadFile(path), QStringLiteral("名前,メール,電話\r\n"
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
      {"UTF-8 with one damaged sequence",
       "名前,住所\r\n山田,東京\xE9\x83\r\n",
       {{"名前", "住所"}, {"山田", QStringLiteral("東京\uFFFD\uFFFD")}}},
  };
  const QString path = PathOf("in.txt");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testenv::WriteFile(path, c.bytes);
    CGridCtrl grid(nullptr, 2, 2, 1, 1);
    ASSERT_TRUE(grid.Load(path));
    EXPECT_EQ(TextsOf(grid), c.rows);
  }
  EXPECT_TRUE(testenv::Messages().empty());
}

TEST(GridTextFileTest, ReportsFileErrorsAndRefusesSpecialFiles) {
  CGridCtrl grid(nullptr, 2, 2, 1, 0);
  grid.SetCellText(1, 1, "kept");
  const QString missing = PathOf("no/such/folder/list.txt");
  const QString fifo = PathOf("fifo.txt");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);

  EXPECT_FALSE(grid.Save(missing));
  EXPECT_FALSE(grid.Load(missing));
  // Neither waits for a writer nor reads without end; a device is not written to.
  EXPECT_FALSE(grid.Load(fifo));
  EXPECT_FALSE(grid.Save(fifo));
  EXPECT_FALSE(grid.Load("/dev/zero"));
  EXPECT_FALSE(grid.Save("/dev/full"));
  // This file opens but cannot be read.
  EXPECT_FALSE(grid.Load("/proc/self/mem"));
  EXPECT_EQ(grid.GetCellText(1, 1), "kept");  // a failed read leaves the grid alone
  // A disk that fills up keeps the old file.
  const QString list = PathOf("list.txt");
  testenv::WriteFile(list, "old");
  grid.SetCellText(1, 1, QString(20000, 'x'));
  {
    const testenv::FileSizeLimit limit(8192);
    EXPECT_FALSE(grid.Save(list));
  }
  EXPECT_EQ(testenv::ReadFile(list), "old");

  std::vector<QString> texts;
  for (const auto& message : testenv::Messages()) texts.push_back(message.text);
  const auto reason = [](int error) { return ": " + QString::fromLocal8Bit(std::strerror(error)); };
  EXPECT_EQ(texts, (std::vector<QString>{missing + reason(ENOENT), missing + reason(ENOENT),
                                         fifo + reason(EINVAL), fifo + reason(EINVAL),
                                         "/dev/zero" + reason(EINVAL), "/dev/full" + reason(EINVAL),
                                         "Unable to load grid data", "Unable to save grid list"}));
}

// The file menu's rows: a comma, a quote or a line break stays inside its cell, a heading line
// is known by its texts, and a line that does not fit the columns is left out and reported.
TEST(GridTextFileTest, ImportedRowsKeepTheirCellsAndTheLookOfTheRows) {
  CGridCtrl grid(nullptr, 3, 2, 1, 0);
  grid.SetCellText(0, 0, "名前");
  grid.SetCellText(0, 1, "アドレス");
  grid.SetCellText(1, 0, "山田, 太郎");
  grid.SetCellText(1, 1, "say \"hi\"\nthere");
  grid.SetCellText(2, 0, "佐藤");
  grid.SetColumnWidth(1, 210);
  grid.SetCellBackColor(1, 1, 0xFFFFFF);
  grid.SetCellFormat(1, 1, 0x824);
  grid.SetRowHeight(1, 31);
  const QString path = PathOf("rows.csv");
  ASSERT_TRUE(ExportGridRows(grid, path));
  EXPECT_EQ(testenv::ReadFile(path),
            "名前,アドレス\r\n\"山田, 太郎\",\"say \"\"hi\"\"\r\nthere\"\r\n佐藤,\r\n");
  const Rows exported = TextsOf(grid);

  grid.SetCellText(2, 0, "changed");
  grid.InsertRow("extra");
  std::vector<int> setUp;
  ASSERT_TRUE(ImportGridRows(grid, path, [&](int row) { setUp.push_back(row); }));
  EXPECT_EQ(TextsOf(grid), exported);
  EXPECT_EQ(setUp, (std::vector<int>{1, 2}));
  EXPECT_EQ(grid.GetFixedRowCount(), 1);
  EXPECT_EQ(grid.GetColumnWidth(1), 210);
  for (int row = 1; row < 3; ++row) {
    EXPECT_EQ(grid.GetCellBackColor(row, 1), 0xFFFFFFu);
    EXPECT_EQ(grid.GetCellFormat(row, 1), 0x824u);
    EXPECT_EQ(grid.GetRowHeight(row), 31);
  }
  EXPECT_TRUE(testenv::Messages().empty());

  // Without a heading the first line is a record; code page 932 is still read.
  testenv::WriteFile(
      path, Cp932("鈴木,s@example.jp\r\n山田,y@example.jp,extra\r\n\r\n佐藤\r\n高橋,t@x.jp"));
  ASSERT_TRUE(ImportGridRows(grid, path));
  EXPECT_EQ(TextsOf(grid),
            (Rows{{"名前", "アドレス"}, {"鈴木", "s@example.jp"}, {"高橋", "t@x.jp"}}));
  ASSERT_EQ(testenv::Messages().size(), 1u);
  EXPECT_EQ(testenv::Messages()[0].text,
            QStringLiteral("項目の数が 2 でない 2 行は読み込みませんでした。"));

  // A file that cannot be read leaves the rows alone.
  EXPECT_FALSE(ImportGridRows(grid, PathOf("missing.txt")));
  EXPECT_EQ(grid.GetRowCount(), 3);
}

}  // namespace
