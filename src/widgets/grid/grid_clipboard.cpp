#include "grid_clipboard.h"

#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_cell_store.h"
#include "widgets/grid/grid_ctrl.h"

QString BuildCopyText(const CGridCellStore& store, const CellRange& range,
                      const std::function<bool(int, int)>& isSelected) {
  QString text;
  if (!range.IsValid()) return text;
  bool firstRow = true;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (store.RowHeight(row) <= 0) continue;
    if (!firstRow) text += u'\n';
    firstRow = false;
    bool firstCol = true;
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if (store.ColumnWidth(col) <= 0) continue;
      if (!firstCol) text += u'\t';
      firstCol = false;
      const CGridCellBase* cell = store.Cell(row, col);
      if (cell && isSelected(row, col)) text += cell->GetText();
    }
  }
  return text;
}

std::vector<QStringList> SplitPasteText(const QString& text) {
  std::vector<QStringList> rows;
  QStringList lines = text.split(u'\n');
  // A line break at the very end closes the last row rather than opening an empty one.
  if (lines.size() > 1 && lines.back().trimmed().isEmpty()) lines.removeLast();
  for (const QString& line : lines) {
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
      if (i < line.size() && line[i] != u'\t' && line[i] != u',') continue;
      fields.append(line.mid(start, i - start).trimmed());
      start = i + 1;
    }
    rows.push_back(fields);
  }
  return rows;
}

QString SelectedText(const CGridCtrl& grid) {
  return BuildCopyText(grid.Cells(), grid.GetSelectedCellRange(),
                       [&grid](int row, int col) { return grid.IsCellSelected(row, col); });
}

namespace {

void ReplaceText(CGridCtrl& grid, int row, int col, const QString& text) {
  grid.SendNotify(GRIDN_BEGINEDIT, row, col);
  grid.SetCellText(row, col, text);
  grid.SetModified(true, row, col);
  grid.SendNotify(GRIDN_ENDEDIT, row, col);
}

}  // namespace

void ClearSelectedCells(CGridCtrl& grid) {
  const CellRange range = grid.GetSelectedCellRange();
  if (!grid.IsValid(range)) return;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (grid.GetRowHeight(row) <= 0) continue;
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if (grid.GetColumnWidth(col) <= 0 || !grid.IsCellSelected(row, col)) continue;
      // A read-only cell keeps its text.
      if (grid.IsCellEditable(row, col)) ReplaceText(grid, row, col, QString());
    }
  }
}

void PasteFields(CGridCtrl& grid, const CellID& target, const QString& text) {
  int row = target.row;
  for (const QStringList& fields : SplitPasteText(text)) {
    while (row < grid.GetRowCount() && grid.GetRowHeight(row) <= 0) ++row;
    if (row >= grid.GetRowCount()) break;
    int col = target.col;
    for (const QString& field : fields) {
      while (col < grid.GetColumnCount() && grid.GetColumnWidth(col) <= 0) ++col;
      if (col >= grid.GetColumnCount()) break;
      if (grid.IsCellEditable(row, col)) {
        ReplaceText(grid, row, col, field);
        const unsigned state = grid.GetCellState(row, col);
        grid.SetCellState(row, col, state & ~CELLSTATE_SELECTED);
      }
      ++col;
    }
    ++row;
  }
}
