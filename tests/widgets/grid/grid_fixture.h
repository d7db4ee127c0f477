#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <vector>

#include "widgets/grid/cell_info.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_ctrl.h"

namespace gridtest {

// Lays a grid out as the address book does: a heading row, a send-flag choice column, name
// and mail address, light-yellow text background and white data cells, 417 x 223.
inline void MakeAddressBook(CGridCtrl& grid, int records) {
  grid.SetRowSelectMode(true);
  grid.SetDefaultCellBackColor(0xE0FFFF);
  grid.SetRowCount(records + 1);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(0);
  const QString headings[] = {QStringLiteral("送信"), QStringLiteral("名前"),
                              QStringLiteral("メールアドレス")};
  for (int col = 0; col < 3; ++col) {
    CellInfo item;
    item.row = 0;
    item.col = col;
    item.mask = CELLMASK_TEXT | CELLMASK_FORMAT;
    item.format = 0x810;
    item.text = headings[col];
    grid.SetCellInfo(item);
  }
  for (int row = 1; row <= records; ++row) {
    for (int col = 0; col < 3; ++col) {
      CellInfo item;
      item.row = row;
      item.col = col;
      item.mask = CELLMASK_TEXT | CELLMASK_FORMAT;
      item.format = 0x824;
      item.text = col == 0   ? QStringLiteral("送信する")
                  : col == 1 ? QStringLiteral("name%1").arg(row)
                             : QStringLiteral("user%1@example.jp").arg(row);
      grid.SetCellInfo(item);
      grid.SetCellBackColor(row, col, 0xFFFFFF);
    }
    static_cast<CGridCell*>(grid.GetCell(row, 0))->SetChoiceCell(true);
  }
  grid.SetColumnWidth(0, 69);
  grid.SetColumnWidth(1, 137);
  grid.SetColumnWidth(2, 210);
  grid.setGeometry(56, 43, 417, 223);
  grid.ResetScrollBars();
}

// A shown, active window holding a grid (and a line edit after it, to take the focus on).
struct Window {
  QWidget window;
  CGridCtrl* grid = nullptr;
  QLineEdit* after = nullptr;

  Window() {
    window.resize(520, 320);
    grid = new CGridCtrl(&window);
    grid->setGeometry(10, 10, 417, 223);
    after = new QLineEdit(&window);
    after->setGeometry(10, 250, 200, 24);
    QWidget::setTabOrder(grid, after);
  }
  bool Show() {
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return false;
    grid->setFocus();
    QApplication::processEvents();
    return grid->hasFocus();
  }
};

// Collects the grid's notifications while it lives.
struct Notifications {
  QObject context;
  std::vector<GridNotify> all;
  explicit Notifications(CGridCtrl& grid) {
    QObject::connect(&grid, &CGridCtrl::Notify, &context,
                     [this](const GridNotify& n) { all.push_back(n); });
  }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const GridNotify& n : all) codes.push_back(n.code);
    return codes;
  }
  int Count(int code) const {
    int count = 0;
    for (const GridNotify& n : all) count += n.code == code;
    return count;
  }
};

// The centre of a cell in grid coordinates.
inline QPoint CentreOf(const CGridCtrl& grid, int row, int col) {
  Rect rect;
  grid.GetCellRect(row, col, &rect);
  return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// Mouse input as a real pointer delivers it: to the top-level window at window coordinates, so
// that Qt picks the widget under the pointer, grabs the mouse and makes double clicks itself.
// Points are given in the coordinates of `widget`.
struct Pointer {
  QWidget& widget;

  QWindow* Window() const { return widget.window()->windowHandle(); }
  QPoint At(QPoint point) const { return widget.mapTo(widget.window(), point); }
  void Move(QPoint point) { QTest::mouseMove(Window(), At(point)); }
  void Press(QPoint point, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mousePress(Window(), Qt::LeftButton, modifiers, At(point));
  }
  void Release(QPoint point, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseRelease(Window(), Qt::LeftButton, modifiers, At(point));
  }
  void Click(QPoint point, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(Window(), Qt::LeftButton, modifiers, At(point));
  }
  // Press, release, double-click event, release.
  void DoubleClick(QPoint point) { QTest::mouseDClick(Window(), Qt::LeftButton, {}, At(point)); }
};

inline QImage Render(CGridCtrl& grid) { return grid.grab().toImage(); }

inline QColor At(const QImage& image, QPoint point) { return image.pixelColor(point); }

inline QColor ColorOf(ColorRef color) { return ToQColor(color); }

}  // namespace gridtest
