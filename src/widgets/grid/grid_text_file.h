#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class CGridCtrl;

// The grid's text file: one line per row (row 0 first), the cell texts separated by "," with
// nothing after the last, CR LF line ends, UTF-8. Texts are written as they are, so a "," or a
// line break inside a cell splits it when the file is read back.

// The file's bytes for the grid's rows.
QByteArray FormatGridText(const CGridCtrl& grid);

// The lines of a file as tokens. A lone LF ends a line as CR LF does. A token ends at ",", at
// the line end or at the end of the text; an empty token is kept unless it is all that is left
// of a last line without a line break. Bytes that are not valid UTF-8 are read as code page
// 932, the encoding of files written by earlier versions.
std::vector<QStringList> ParseGridText(const QByteArray& bytes);

// Writes the grid to `path`, replacing the file only once the new one is complete. Failures
// are reported in a message box; false then.
bool SaveGridText(CGridCtrl& grid, const QString& path);

// Rebuilds the grid from `path`: the first line gives the columns (centred headings in row 0,
// which is not fixed), every further line appends a row; tokens beyond the last column are
// dropped. Columns are sized to their contents. Failures are reported; false then.
bool LoadGridText(CGridCtrl& grid, const QString& path);

// The bytes of a text file for the grid, or nothing after reporting why not in a message box:
// the system's description when the file cannot be opened or is not a regular file, "Unable to
// load grid data" when reading fails.
std::optional<QByteArray> ReadGridFile(CGridCtrl& grid, const QString& path);

// Replaces the file with `bytes` (see WriteFileReplacing); false after reporting why not: the
// system's description when it cannot be created, "Unable to save grid list" when writing
// fails.
bool WriteGridFile(CGridCtrl& grid, const QString& path, const QByteArray& bytes);
