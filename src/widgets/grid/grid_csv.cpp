#include "grid_csv.h"

namespace {

QString QuotedIfNeeded(QString field) {
  field.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
      !field.contains(u'\r'))
    return field;
  field.replace(u'"', QStringLiteral("\"\""));
  field.replace(u'\n', QStringLiteral("\r\n"));
  return u'"' + field + u'"';
}

}  // namespace

QString FormatCsv(const std::vector<QStringList>& records) {
  QString text;
  for (const QStringList& record : records) {
    for (qsizetype i = 0; i < record.size(); ++i) {
      if (i > 0) text += u',';
      text += QuotedIfNeeded(record[i]);
    }
    text += QStringLiteral("\r\n");
  }
  return text;
}

std::vector<QStringList> ParseCsv(const QString& text) {
  std::vector<QStringList> records;
  QStringList record;
  QString field;
  bool fieldStarted = false;  // the record has a field, even an empty one
  const auto endField = [&] {
    record << field;
    field.clear();
  };
  const auto endRecord = [&] {
    if (fieldStarted || !field.isEmpty()) {
      endField();
      records.push_back(record);
    }
    record.clear();
    fieldStarted = false;
  };
  bool atFieldStart = true;
  qsizetype at = 0;
  while (at < text.size()) {
    const QChar c = text[at];
    if (c == u'"' && atFieldStart) {
      // A quoted field: up to the quote that is not doubled.
      fieldStarted = true;
      ++at;
      while (at < text.size()) {
        if (text[at] == u'"') {
          if (at + 1 < text.size() && text[at + 1] == u'"') {
            field += u'"';
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++at;
        field += text[at] == u'\r' ? QChar(u'\n') : text[at];
        ++at;
      }
      atFieldStart = false;
      continue;
    }
    atFieldStart = false;
    if (c == u',') {
      fieldStarted = true;
      endField();
      atFieldStart = true;
    } else if (c == u'\n' || c == u'\r') {
      if (c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++at;
      endRecord();
      atFieldStart = true;
    } else {
      fieldStarted = true;
      field += c;
    }
    ++at;
  }
  endRecord();
  return records;
}
