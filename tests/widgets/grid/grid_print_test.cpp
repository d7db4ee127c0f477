#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

#include "grid_fixture.h"
#include "pdf_pages.h"
#include "test_environment.h"
#include "widgets/grid/grid_print_job.h"

namespace {

void PrintToPdf(QPrinter& printer, const QString& path) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
}

struct AddressBookWindow : gridtest::Window {
  explicit AddressBookWindow(int records) {
    window.setWindowTitle(QStringLiteral("アドレス帳"));
    gridtest::MakeAddressBook(*grid, records);
  }
};

TEST(GridPrintTest, TallGridPrintsOnSeveralPagesEachWithHeadingsAndPageNumber) {
  AddressBookWindow book(100);
  QPrinter printer(QPrinter::HighResolution);
  const QString path = testenv::ProgramDir() + "/book.pdf";
  PrintToPdf(printer, path);
  ASSERT_TRUE(PrintGridDocument(*book.grid, printer));

  const QStringList pages = gridtest::PdfPages(path);
  ASSERT_GE(pages.size(), 2);
  const QRegularExpression address(QStringLiteral("user(\\d+)@example\\.jp"));
  std::vector<int> printed;
  for (int i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const QString& page = pages[i];
    EXPECT_TRUE(page.contains(QStringLiteral("アドレス帳")));
    EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));
    // The heading row comes first on every page.
    const qsizetype heading = page.indexOf(QStringLiteral("メールアドレス"));
    const qsizetype firstRow = page.indexOf(address);
    ASSERT_GE(heading, 0);
    ASSERT_GT(firstRow, heading);
    EXPECT_TRUE(page.contains(QStringLiteral("名前")));
    for (auto match = address.globalMatch(page); match.hasNext();)
      printed.push_back(match.next().captured(1).toInt());
  }
  // Every row once, in order, none cut off between pages.
  std::vector<int> expected(100);
  for (int i = 0; i < 100; ++i) expected[i] = i + 1;
  EXPECT_EQ(printed, expected);
}

TEST(GridPrintTest, RowTallerThanAPageGetsAPageOfItsOwn) {
  AddressBookWindow book(3);
  CGridCtrl& grid = *book.grid;
  grid.SetRowHeight(1, 5000);
  grid.SetCellFormat(1, 1, DT_SINGLELINE | DT_NOPREFIX);  // the text at the top of the row
  QPrinter printer(QPrinter::HighResolution);
  const QString path = testenv::ProgramDir() + "/tall.pdf";
  PrintToPdf(printer, path);
  ASSERT_TRUE(PrintGridDocument(grid, printer));

  const QStringList pages = gridtest::PdfPages(path);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains("name1"));
  EXPECT_TRUE(pages[1].contains("name2"));
  EXPECT_TRUE(pages[1].contains("name3"));
}

TEST(GridPrintTest, ScreenSizedPrintingSpreadsWideGridsAcrossPages) {
  gridtest::Window window;
  CGridCtrl& grid = *window.grid;
  grid.SetRowCount(3);
  grid.SetColumnCount(16);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  for (int col = 1; col < 16; ++col) {
    grid.SetCellText(0, col, QStringLiteral("C%1").arg(col));
    grid.SetColumnWidth(col, 100);
  }
  for (int row = 1; row < 3; ++row) grid.SetCellText(row, 0, QStringLiteral("R%1").arg(row));
  grid.PrintLayout().wysiwyg = true;
  QPrinter printer(QPrinter::HighResolution);
  const QString path = testenv::ProgramDir() + "/wide.pdf";
  PrintToPdf(printer, path);
  ASSERT_TRUE(PrintGridDocument(grid, printer));

  const QStringList pages = gridtest::PdfPages(path);
  ASSERT_GE(pages.size(), 2);
  const QRegularExpression heading(QStringLiteral("\\bC(\\d+)\\b"));
  std::vector<int> columns;
  for (int i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_TRUE(pages[i].contains("R1") && pages[i].contains("R2"));  // row buttons on each
    for (auto match = heading.globalMatch(pages[i]); match.hasNext();)
      columns.push_back(match.next().captured(1).toInt());
  }
  std::vector<int> expected(15);
  for (int i = 0; i < 15; ++i) expected[i] = i + 1;
  EXPECT_EQ(columns, expected);
}

// A printer whose second page cannot be started.
class FailingPrinter : public QPrinter {
 public:
  FailingPrinter() : QPrinter(QPrinter::HighResolution) {}
  bool newPage() override {
    ++newPages;
    return false;
  }
  int newPages = 0;
};

TEST(GridPrintTest, PageThatFailsAbortsTheDocument) {
  AddressBookWindow book(100);
  FailingPrinter printer;
  const QString path = testenv::ProgramDir() + "/failed.pdf";
  PrintToPdf(printer, path);
  EXPECT_FALSE(PrintGridDocument(*book.grid, printer));
  EXPECT_EQ(printer.newPages, 1);
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
