#pragma once

#include <QString>
#include <functional>

class CGridCtrl;

// Called for each row read in, after its texts are set, so the owner can give it the state
// every new row starts with.
using ImportedRowSetup = std::function<void(int row)>;

// The rows a user writes out and reads back through the grid's file menu: comma-separated
// values (RFC 4180, so a text with a comma, a quote or a line break keeps its cell), UTF-8,
// every row from row 0.

// Writes every row to `path`. Failures are reported in a message box; false then.
bool ExportGridRows(CGridCtrl& grid, const QString& path);

// Replaces the non-fixed rows of the grid by the records of `path`, keeping the columns,
// headings and widths. Leading records that read like the grid's fixed rows are headings and
// are skipped; a record whose field count is not the column count is skipped and the number
// skipped is reported. New rows take the look of the grid's first non-fixed row as it was
// (formats, colours, fonts, margins, read-only marks, choice lists), then `setup`. A file that
// is not mostly UTF-8 is read as code page 932. When the file cannot be read, as reported, the
// grid is left as it was.
bool ImportGridRows(CGridCtrl& grid, const QString& path, const ImportedRowSetup& setup = {});
