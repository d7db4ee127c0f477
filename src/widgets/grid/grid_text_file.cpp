#include "grid_text_file.h"

#include <QFile>
#include <algorithm>
#include <optional>

#include "platform/message_box.h"
#include "protocol/cp932.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_ctrl.h"

namespace {

constexpr unsigned kLoadedColumnFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

void ReportOpenError(CGridCtrl& grid, const QFile& file) {
  ShowMessageBox(&grid, file.fileName() + QStringLiteral(": ") + file.errorString(),
                 MessageIcon::Warning);
}

// Tokens end at "," or at the line break; what follows the break (or an empty rest of a line
// without one) is no token.
QStringList SplitLine(const QString& line) {
  QStringList tokens;
  qsizetype start = 0;
  while (true) {
    qsizetype end = start;
    while (end < line.size() && line[end] != u',' && line[end] != u'\n') ++end;
    if (end == line.size() && end == start) break;
    tokens << line.mid(start, end - start);
    if (end == line.size()) break;
    start = end + 1;
  }
  return tokens;
}

// The whole file, or nothing after reporting why not.
std::optional<QByteArray> ReadFile(CGridCtrl& grid, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ReportOpenError(grid, file);
    return std::nullopt;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    ShowMessageBox(&grid, QStringLiteral("Unable to load grid data"), MessageIcon::Warning);
    return std::nullopt;
  }
  return bytes;
}

// Sets the texts of `row` from the second token on; the first went in with the row.
void FillRow(CGridCtrl& grid, int row, const QStringList& tokens) {
  const int count = std::min<int>(static_cast<int>(tokens.size()), grid.GetColumnCount());
  for (int col = 1; col < count; ++col) grid.SetCellText(row, col, tokens[col]);
}

// The look of one row, copied onto the rows loaded in place of it.
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

}  // namespace

QByteArray FormatGridText(const CGridCtrl& grid) {
  QString text;
  // Line 1 is written even when row 0 is missing: it keeps the columns.
  const int rows = std::max(1, grid.GetRowCount());
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < grid.GetColumnCount(); ++col) {
      text += grid.GetCellText(row, col);
      text += col + 1 < grid.GetColumnCount() ? QStringLiteral(",") : QStringLiteral("\n");
    }
  }
  // Line breaks on disk are CR LF, those inside cell texts included.
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text.toUtf8();
}

std::vector<QStringList> ParseGridText(const QByteArray& bytes) {
  // Files written by earlier versions are in code page 932.
  QString text =
      FromUtf8OrCp932(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  std::vector<QStringList> lines;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = text.indexOf(u'\n', start);
    end = end < 0 ? text.size() : end + 1;  // the line break stays with its line
    lines.push_back(SplitLine(text.mid(start, end - start)));
    start = end;
  }
  return lines;
}

bool SaveGridText(CGridCtrl& grid, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    ReportOpenError(grid, file);
    return false;
  }
  const QByteArray bytes = FormatGridText(grid);
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (!written || file.error() != QFileDevice::NoError) {
    ShowMessageBox(&grid, QStringLiteral("Unable to save grid list"), MessageIcon::Warning);
    return false;
  }
  return true;
}

bool LoadGridText(CGridCtrl& grid, const QString& path) {
  const std::optional<QByteArray> bytes = ReadFile(grid, path);
  if (!bytes) return false;  // the grid keeps what it had
  grid.DeleteAllItems();
  const std::vector<QStringList> lines = ParseGridText(*bytes);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const QStringList& tokens = lines[i];
    if (i == 0) {
      for (const QString& heading : tokens) grid.InsertColumn(heading, kLoadedColumnFormat);
    } else if (!tokens.isEmpty()) {
      const int row = grid.InsertRow(tokens[0]);
      FillRow(grid, row, tokens);
    }
  }
  for (int col = 0; col < grid.GetColumnCount(); ++col) {
    if (grid.GetColumnWidth(col) > 0) grid.AutoSizeColumn(col);
  }
  return true;
}

bool LoadGridRows(CGridCtrl& grid, const QString& path) {
  const std::optional<QByteArray> bytes = ReadFile(grid, path);
  if (!bytes) return false;
  const std::vector<QStringList> lines = ParseGridText(*bytes);
  const int fixedRows = grid.GetFixedRowCount();
  const RowTemplate look(grid, fixedRows);
  grid.SetRowCount(fixedRows);
  for (std::size_t i = fixedRows; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    const int row = grid.InsertRow(lines[i][0]);
    if (row < 0) continue;
    look.ApplyTo(grid, row);
    FillRow(grid, row, lines[i]);
  }
  grid.ResetScrollBars();
  grid.update();
  return true;
}
