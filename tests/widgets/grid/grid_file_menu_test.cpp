#include "widgets/grid/grid_file_menu.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QTimer>

#include "grid_fixture.h"
#include "pdf_pages.h"
#include "test_environment.h"
#include "window_input.h"

using testenv::ChooseInNextMenu;

namespace {

// Picks `path` when the menu asks for a file, checking which kind of file it asks for.
void AnswerFileDialog(const QString& path, bool save) {
  CGridFileMenu::SetFileChooser([path, save](QWidget*, const QString&, bool saving) {
    EXPECT_EQ(saving, save);
    return path;
  });
}

class GridFileMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.window.setWindowTitle(QStringLiteral("アドレス帳"));
    gridtest::MakeAddressBook(*window_.grid, 3);
    window_.grid->EnableFileMenu();
    ASSERT_TRUE(window_.Show());
  }

  // A right click on a data cell, through the window.
  void RightClick() {
    const QPoint at = window_.grid->mapTo(&window_.window, gridtest::CentreOf(*window_.grid, 2, 1));
    QTest::mousePress(window_.window.windowHandle(), Qt::RightButton, {}, at);
    QTest::mouseRelease(window_.window.windowHandle(), Qt::RightButton, {}, at);
  }

  void TearDown() override { CGridFileMenu::SetFileChooser(nullptr); }

  gridtest::Window window_;
};

TEST_F(GridFileMenuTest, WritesTheRowsAndReadsThemBackIntoTheSameColumns) {
  CGridCtrl& grid = *window_.grid;
  const QString path = testenv::ProgramDir() + "/book.txt";
  AnswerFileDialog(path, true);
  ChooseInNextMenu(QStringLiteral("書き出し..."));
  RightClick();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(file.readAll()),
            QStringLiteral("送信,名前,メールアドレス\r\n"
                           "送信する,name1,user1@example.jp\r\n"
                           "送信する,name2,user2@example.jp\r\n"
                           "送信する,name3,user3@example.jp\r\n"));
  file.close();

  // Rows edited and added meanwhile give way to the file's rows.
  grid.SetCellText(1, 1, QStringLiteral("changed"));
  grid.InsertRow(QStringLiteral("extra"));
  AnswerFileDialog(path, false);
  ChooseInNextMenu(QStringLiteral("読み込み..."));
  RightClick();
  ASSERT_EQ(grid.GetRowCount(), 4);
  EXPECT_EQ(grid.GetCellText(1, 1), "name1");
  EXPECT_EQ(grid.GetCellText(3, 2), "user3@example.jp");
  // The heading row, the columns and the look of the rows stay the grid's own.
  EXPECT_EQ(grid.GetFixedRowCount(), 1);
  EXPECT_EQ(grid.GetCellText(0, 2), QStringLiteral("メールアドレス"));
  EXPECT_EQ(grid.GetColumnWidth(2), 210);
  for (int row = 1; row < 4; ++row) {
    EXPECT_TRUE(static_cast<CGridCell*>(grid.GetCell(row, 0))->IsChoiceCell());
    EXPECT_EQ(grid.GetCellBackColor(row, 2), 0xFFFFFFu);
    EXPECT_EQ(grid.GetCellFormat(row, 2), 0x824u);
  }
  EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(GridFileMenuTest, PrintsThroughThePrintDialog) {
  const QString path = testenv::ProgramDir() + "/book.pdf";
  testenv::OnNextModal([path](QWidget* dialog) {
    ASSERT_NE(qobject_cast<QPrintDialog*>(dialog), nullptr);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
  });
  ChooseInNextMenu(QStringLiteral("印刷..."));
  RightClick();
  const QStringList pages = gridtest::PdfPages(path);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains("user3@example.jp"));
  EXPECT_TRUE(pages[0].contains("Page 1 of 1"));
}

}  // namespace
