#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Comma-separated records as RFC 4180 lays them out: a field that holds a comma, a double quote
// or a line break is written between double quotes, with each quote doubled; records end in
// CR LF.
QString FormatCsv(const std::vector<QStringList>& records);

// The records of such a text. A lone LF ends a record as CR LF does; quoted fields may hold
// line breaks (kept as "\n"). A line with nothing on it is no record. A quote inside an
// unquoted field is taken as it stands, and an unclosed quote runs to the end of the text.
std::vector<QStringList> ParseCsv(const QString& text);
