#include "grid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <utility>

#include "widgets/grid/grid_ctrl.h"

namespace {

class GridAccessible;

// One cell, addressed by its place in the grid (row and column of the grid itself, fixed rows
// included); it reads the grid afresh on every question, so it stays right as rows change.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  GridCellAccessible(CGridCtrl* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface)
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  bool isValid() const override { return grid_ && grid_->IsValid(row_, col_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return Table() ? Table()->window() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return Table(); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QString text(QAccessible::Text t) const override {
    if (!isValid() || t != QAccessible::Name) return QString();
    const QString text = grid_->GetCellText(row_, col_);
    // A blank cell is said to be blank rather than left without a name.
    return text.isEmpty() ? QStringLiteral("空白") : text;
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    Rect cell;
    if (!isValid() || !grid_->GetCellRect(row_, col_, &cell)) return QRect();
    const QRect local = cell.ToQRect();
    return QRect(grid_->mapToGlobal(local.topLeft()), local.size());
  }

  QAccessible::Role role() const override {
    return isValid() && IsHeading() ? QAccessible::ColumnHeader : QAccessible::Cell;
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) return state;
    if (IsHeading()) return state;
    state.focusable = true;
    state.selectable = true;
    state.selected = grid_->IsCellSelected(row_, col_);
    state.focused = grid_->hasFocus() && grid_->GetFocusCell() == CellID(row_, col_);
    state.editable = grid_->IsCellEditable(row_, col_);
    return state;
  }

  bool isSelected() const override { return isValid() && grid_->IsCellSelected(row_, col_); }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_ - (grid_ ? grid_->GetFixedRowCount() : 0); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return Table(); }

 private:
  bool IsHeading() const { return row_ < grid_->GetFixedRowCount(); }
  QAccessibleInterface* Table() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
  }

  QPointer<CGridCtrl> grid_;
  int row_;
  int col_;
};

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(CGridCtrl* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  ~GridAccessible() override {
    for (const auto& [place, id] : cells_) QAccessible::deleteAccessibleInterface(id);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // The children: the headings, then the cells row by row.
  int childCount() const override { return Grid()->GetRowCount() * Grid()->GetColumnCount(); }
  QAccessibleInterface* child(int index) const override {
    const int cols = Grid()->GetColumnCount();
    if (index < 0 || cols == 0 || index >= childCount()) return nullptr;
    return GridCell(index / cols, index % cols);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child || child->role() == QAccessible::ScrollBar) return -1;
    const QAccessibleTableCellInterface* cell =
        const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (!cell) return -1;
    const int row = cell->rowIndex() + Grid()->GetFixedRowCount();
    return row * Grid()->GetColumnCount() + cell->columnIndex();
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const CellID cell = Grid()->GetCellFromPt(Grid()->mapFromGlobal(QPoint(x, y)));
    return Grid()->IsValid(cell) ? GridCell(cell.row, cell.col) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const CellID focus = Grid()->GetFocusCell();
    return Grid()->hasFocus() && Grid()->IsValid(focus) ? GridCell(focus.row, focus.col) : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    return GridCell(row + Grid()->GetFixedRowCount(), column);
  }
  int rowCount() const override { return Grid()->GetRowCount() - Grid()->GetFixedRowCount(); }
  int columnCount() const override { return Grid()->GetColumnCount(); }
  QString columnDescription(int column) const override {
    return Grid()->GetFixedRowCount() > 0 ? Grid()->GetCellText(0, column) : QString();
  }
  QString rowDescription(int) const override { return QString(); }

  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    for (int row = Grid()->GetFixedRowCount(); row < Grid()->GetRowCount(); ++row)
      for (int col = 0; col < Grid()->GetColumnCount(); ++col)
        if (Grid()->IsCellSelected(row, col)) cells << GridCell(row, col);
    return cells;
  }
  QList<int> selectedRows() const override {
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row)
      if (isRowSelected(row)) rows << row;
    return rows;
  }
  QList<int> selectedColumns() const override {
    QList<int> cols;
    for (int col = 0; col < columnCount(); ++col)
      if (isColumnSelected(col)) cols << col;
    return cols;
  }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
  bool isRowSelected(int row) const override {
    const int gridRow = row + Grid()->GetFixedRowCount();
    if (!Grid()->IsValid(gridRow, 0)) return false;
    for (int col = 0; col < Grid()->GetColumnCount(); ++col)
      if (!Grid()->IsCellSelected(gridRow, col)) return false;
    return true;
  }
  bool isColumnSelected(int column) const override {
    if (rowCount() == 0) return false;
    for (int row = Grid()->GetFixedRowCount(); row < Grid()->GetRowCount(); ++row)
      if (!Grid()->IsCellSelected(row, column)) return false;
    return true;
  }
  // Choosing rows is the user's, with the keys and the mouse.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  QAccessibleInterface* GridCell(int row, int col) const {
    if (!Grid()->IsValid(row, col)) return nullptr;
    auto& id = cells_[{row, col}];
    if (id == 0) {
      id = QAccessible::registerAccessibleInterface(new GridCellAccessible(Grid(), row, col));
    }
    return QAccessible::accessibleInterface(id);
  }

 private:
  CGridCtrl* Grid() const { return static_cast<CGridCtrl*>(widget()); }

  mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
  QList<QAccessibleInterface*> headings;
  if (!isValid() || IsHeading()) return headings;
  auto* table = static_cast<GridAccessible*>(Table());
  for (int row = 0; row < grid_->GetFixedRowCount(); ++row)
    if (QAccessibleInterface* heading = table->GridCell(row, col_)) headings << heading;
  return headings;
}

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("CGridCtrl") && object && object->isWidgetType())
    return new GridAccessible(static_cast<CGridCtrl*>(object));
  return nullptr;
}

}  // namespace

void InstallGridAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(GridFactory);
    return true;
  }();
  (void)installed;
}

void NotifyGridFocusCell(CGridCtrl* grid) {
  if (!QAccessible::isActive() || !grid->hasFocus()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
  QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
  const CellID focus = grid->GetFocusCell();
  if (!cells || !grid->IsValid(focus)) return;
  QAccessibleInterface* cell = cells->cellAt(focus.row - grid->GetFixedRowCount(), focus.col);
  if (!cell) return;
  QAccessibleEvent event(cell, QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}
