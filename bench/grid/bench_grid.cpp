// Grid figures against QTableWidget doing the same work in the same run: filling 100 000
// address-book rows, sorting them by name, painting one address-book view and paging it.
// Prints medians in milliseconds as BENCH lines.

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "support/bench_timing.h"
#include "widgets/grid/cell_info.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_ctrl.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kViewWidth = 417;
constexpr int kViewHeight = 223;
constexpr int kWidths[3] = {69, 137, 210};

struct Texts {
  std::vector<QString> choice, name, mail;
};

// Address-book-like texts: a send flag, a Japanese or Latin name, a mail address, in no order.
Texts MakeTexts() {
  const QStringList family = {"山田", "佐藤", "鈴木",  "高橋",   "田中", "伊藤",   "渡辺",  "中村",
                              "小林", "加藤", "Smith", "Tanaka", "ｻｲﾄｳ", "あおき", "オカダ"};
  const QStringList given = {"太郎", "花子", "一郎", "美咲", "健", "John", "ゆき", "ﾀｸﾐ"};
  std::mt19937 random(1234);
  Texts texts;
  for (int i = 0; i < kRecords; ++i) {
    const int f = static_cast<int>(random() % family.size());
    const int g = static_cast<int>(random() % given.size());
    const unsigned number = random() % 100000;
    texts.choice.push_back(random() % 4 ? QStringLiteral("送信する") : QStringLiteral("送信せず"));
    texts.name.push_back(family[f] + given[g] + QString::number(number));
    texts.mail.push_back(QStringLiteral("user%1.%2@example.ne.jp").arg(number).arg(f));
  }
  return texts;
}

void Report(const char* name, const std::vector<double>& ours, const std::vector<double>& anchor,
            double ratio) {
  const double anchorMedian = Median(anchor);
  std::printf("BENCH %s %.2f ms anchor=%.2f target=%.2f\n", name, Median(ours), anchorMedian,
              anchorMedian * ratio);
  std::fflush(stdout);
}

// --- The grid ---

void FillGrid(CGridCtrl& grid, const Texts& texts) {
  grid.SetRowCount(kRecords + 1);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  grid.SetCellText(0, 0, QStringLiteral("送信"));
  grid.SetCellText(0, 1, QStringLiteral("名前"));
  grid.SetCellText(0, 2, QStringLiteral("メールアドレス"));
  for (int i = 0; i < kRecords; ++i) {
    grid.SetCellText(i + 1, 0, texts.choice[i]);
    grid.SetCellText(i + 1, 1, texts.name[i]);
    grid.SetCellText(i + 1, 2, texts.mail[i]);
  }
}

std::unique_ptr<CGridCtrl> AddressBookGrid(const Texts& texts) {
  auto grid = std::make_unique<CGridCtrl>();
  grid->SetRowSelectMode(true);
  grid->SetDefaultCellBackColor(0xE0FFFF);
  FillGrid(*grid, texts);
  for (int col = 0; col < 3; ++col) {
    grid->SetCellFormat(0, col, 0x810);
    grid->SetColumnWidth(col, kWidths[col]);
  }
  for (int row = 1; row <= kRecords; ++row) {
    for (int col = 0; col < 3; ++col) {
      grid->SetCellFormat(row, col, 0x824);
      grid->SetCellBackColor(row, col, 0xFFFFFF);
    }
  }
  grid->resize(kViewWidth, kViewHeight);
  grid->show();
  grid->SetFocusCell(1, 1);
  return grid;
}

// --- The anchor ---

void FillTable(QTableWidget& table, const Texts& texts) {
  table.setRowCount(kRecords);
  table.setColumnCount(3);
  table.setHorizontalHeaderLabels(
      {QStringLiteral("送信"), QStringLiteral("名前"), QStringLiteral("メールアドレス")});
  for (int i = 0; i < kRecords; ++i) {
    table.setItem(i, 0, new QTableWidgetItem(texts.choice[i]));
    table.setItem(i, 1, new QTableWidgetItem(texts.name[i]));
    table.setItem(i, 2, new QTableWidgetItem(texts.mail[i]));
  }
}

std::unique_ptr<QTableWidget> AddressBookTable(const Texts& texts) {
  auto table = std::make_unique<QTableWidget>();
  FillTable(*table, texts);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->verticalHeader()->hide();
  for (int col = 0; col < 3; ++col) table->setColumnWidth(col, kWidths[col]);
  table->resize(kViewWidth, kViewHeight);
  table->show();
  table->setCurrentCell(0, 1);
  return table;
}

void Paint(QWidget& widget, QImage& image) {
  QPainter painter(&image);
  widget.render(&painter);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const Texts texts = MakeTexts();
  constexpr int kBulkRuns = 5;

  {
    std::vector<double> ours, anchor;
    for (int run = 0; run < kBulkRuns; ++run) {
      {
        QTableWidget table;
        anchor.push_back(Milliseconds([&] { FillTable(table, texts); }));
      }
      {
        CGridCtrl grid;
        ours.push_back(Milliseconds([&] { FillGrid(grid, texts); }));
      }
    }
    Report("grid_fill_100k", ours, anchor, 0.75);
  }

  {
    std::vector<double> ours, anchor;
    for (int run = 0; run < kBulkRuns; ++run) {
      {
        QTableWidget table;
        FillTable(table, texts);
        anchor.push_back(Milliseconds([&] { table.sortItems(1, Qt::AscendingOrder); }));
      }
      {
        CGridCtrl grid;
        FillGrid(grid, texts);
        ours.push_back(Milliseconds([&] { grid.SortTextItems(1, true); }));
      }
    }
    Report("grid_sort_100k", ours, anchor, 0.25);
  }

  {
    const std::unique_ptr<CGridCtrl> grid = AddressBookGrid(texts);
    const std::unique_ptr<QTableWidget> table = AddressBookTable(texts);
    QImage image(kViewWidth, kViewHeight, QImage::Format_ARGB32_Premultiplied);
    // One untimed paint each, so that fonts and styles are warm.
    Paint(*grid, image);
    Paint(*table, image);
    constexpr int kViewRuns = 41;
    std::vector<double> ours, anchor;
    for (int run = 0; run < kViewRuns; ++run) {
      anchor.push_back(Milliseconds([&] { Paint(*table, image); }));
      ours.push_back(Milliseconds([&] { Paint(*grid, image); }));
    }
    Report("grid_paint_view", ours, anchor, 1.0);

    ours.clear();
    anchor.clear();
    for (int run = 0; run < kViewRuns; ++run) {
      anchor.push_back(Milliseconds([&] {
        table->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        Paint(*table, image);
      }));
      ours.push_back(Milliseconds([&] {
        grid->OnVScroll(SB_PAGEDOWN);
        Paint(*grid, image);
      }));
    }
    Report("grid_page_scroll", ours, anchor, 1.0);
  }
  return 0;
}
