#include "grid_row_file.h"

#include "protocol/cp932.h"
#include "platform/message_box.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_csv.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_text_file.h"

namespace {

// The look of one row, copied onto the rows read in place of it.
class RowTemplate {
 public:
  RowTemplate(const CGridCtrl& grid, int row) {
    if (row >= grid.GetRowCount()) return;
    height_ = grid.GetRowHeight(row);
    for (int col = 0; col < grid.GetColumnCount(); ++col) {
      Look look;
      if (const CGridCellBase* cell = grid.GetCell(row, col)) {
        look.format = cell->GetFormat();
        look.textClr = cell->GetTextClr();
        look.backClr = cell->GetBackClr();
        look.font = cell->GetFont();
        look.margin = cell->GetMargin();
        look.readOnly = cell->GetState() & CELLSTATE_READONLY;
        if (const auto* standard = dynamic_cast<const CGridCell*>(cell)) {
          look.choice = standard->IsChoiceCell();
          look.choices = standard->Choices();
        }
      }
      looks_.push_back(std::move(look));
    }
  }

  void ApplyTo(CGridCtrl& grid, int row) const {
    if (looks_.empty()) return;
    grid.SetRowHeight(row, height_);
    for (int col = 0; col < static_cast<int>(looks_.size()); ++col) {
      CGridCellBase* cell = grid.GetCell(row, col);
      if (!cell) continue;
      const Look& look = looks_[col];
      cell->SetFormat(look.format);
      cell->SetTextClr(look.textClr);
      cell->SetBackClr(look.backClr);
      cell->SetFont(look.font);
      cell->SetMargin(look.margin);
      cell->SetState(cell->GetState() | look.readOnly);
      if (auto* standard = dynamic_cast<CGridCell*>(cell)) {
        standard->SetChoiceCell(look.choice);
        standard->SetChoices(look.choices);
      }
    }
  }

 private:
  struct Look {
    unsigned format = 0;
    ColorRef textClr = CLR_DEFAULT;
    ColorRef backClr = CLR_DEFAULT;
    LogFont font;
    unsigned margin = 0;
    unsigned readOnly = 0;
    bool choice = false;
    QStringList choices;
  };
  int height_ = 0;
  std::vector<Look> looks_;
};

QStringList RowTexts(const CGridCtrl& grid, int row) {
  QStringList texts;
  for (int col = 0; col < grid.GetColumnCount(); ++col) texts << grid.GetCellText(row, col);
  return texts;
}

}  // namespace

bool ExportGridRows(CGridCtrl& grid, const QString& path) {
  std::vector<QStringList> records;
  for (int row = 0; row < grid.GetRowCount(); ++row) records.push_back(RowTexts(grid, row));
  return WriteGridFile(grid, path, FormatCsv(records).toUtf8());
}

bool ImportGridRows(CGridCtrl& grid, const QString& path, const ImportedRowSetup& setup) {
  const std::optional<QByteArray> bytes = ReadGridFile(grid, path);
  if (!bytes) return false;
  std::vector<QStringList> records = ParseCsv(FromUtf8OrCp932(
      std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size()))));
  const int fixedRows = grid.GetFixedRowCount();
  // The file's heading lines are those that read like the grid's own.
  std::size_t first = 0;
  while (first < records.size() && static_cast<int>(first) < fixedRows &&
         records[first] == RowTexts(grid, static_cast<int>(first)))
    ++first;

  const RowTemplate look(grid, fixedRows);
  grid.SetRowCount(fixedRows);
  int skipped = 0;
  for (std::size_t i = first; i < records.size(); ++i) {
    const QStringList& record = records[i];
    if (record.size() != grid.GetColumnCount()) {
      ++skipped;
      continue;
    }
    const int row = grid.InsertRow(record[0]);
    if (row < 0) continue;
    look.ApplyTo(grid, row);
    for (int col = 1; col < grid.GetColumnCount(); ++col) grid.SetCellText(row, col, record[col]);
    if (setup) setup(row);
  }
  grid.ResetScrollBars();
  grid.update();
  if (skipped > 0)
    ShowMessageBox(&grid,
                   QStringLiteral("項目の数が %1 でない %2 行は読み込みませんでした。")
                       .arg(grid.GetColumnCount())
                       .arg(skipped),
                   MessageIcon::Warning);
  return true;
}
