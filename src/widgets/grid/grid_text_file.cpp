#include "grid_text_file.h"

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/errors.h"
#include "platform/local_file.h"
#include "platform/message_box.h"
#include "platform/safe_copy.h"
#include "protocol/cp932.h"
#include "widgets/grid/grid_cell.h"
#include "widgets/grid/grid_ctrl.h"

namespace {

constexpr unsigned kLoadedColumnFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
// Far above any list a grid shows; a bigger file is not one of its texts.
constexpr qint64 kMaxGridFileBytes = 64 * 1024 * 1024;

// Failures before anything is read or written are the system's to describe (the file is
// missing, not allowed, not a regular file ...); the rest fail while reading or writing.
bool IsOpenError(int code) {
  switch (code) {
    case ENOENT:
    case EACCES:
    case EPERM:
    case EISDIR:
    case ENOTDIR:
    case EINVAL:
    case ELOOP:
    case ENAMETOOLONG:
    case EROFS:
    case ENXIO:
    case EEXIST:
    case ETXTBSY:
      return true;
    default:
      return false;
  }
}

void Report(CGridCtrl& grid, const FileError& error, const char* ioFailure) {
  ShowMessageBox(&grid,
                 IsOpenError(error.Code()) ? error.Description() : QString::fromLatin1(ioFailure),
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

// Sets the texts of `row` from the second token on; the first went in with the row.
void FillRow(CGridCtrl& grid, int row, const QStringList& tokens) {
  const int count = std::min<int>(static_cast<int>(tokens.size()), grid.GetColumnCount());
  for (int col = 1; col < count; ++col) grid.SetCellText(row, col, tokens[col]);
}

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

std::optional<QByteArray> ReadGridFile(CGridCtrl& grid, const QString& path) {
  try {
    return ReadLocalFile(path, kMaxGridFileBytes);
  } catch (const FileError& error) {
    Report(grid, error, "Unable to load grid data");
    return std::nullopt;
  }
}

bool WriteGridFile(CGridCtrl& grid, const QString& path, const QByteArray& bytes) {
  try {
    WriteFileReplacing(path, bytes);
    return true;
  } catch (const FileError& error) {
    Report(grid, error, "Unable to save grid list");
    return false;
  }
}

bool SaveGridText(CGridCtrl& grid, const QString& path) {
  return WriteGridFile(grid, path, FormatGridText(grid));
}

bool LoadGridText(CGridCtrl& grid, const QString& path) {
  const std::optional<QByteArray> bytes = ReadGridFile(grid, path);
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
