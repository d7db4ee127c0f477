#include "config/ini_file.h"

#include <QFile>

std::optional<IniFile> IniFile::Read(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.errorString();
    return std::nullopt;
  }
  // A configuration file is small; a huge one is a mistake.
  constexpr qint64 kMaxBytes = 1 << 20;
  if (file.size() > kMaxBytes) {
    *error = QStringLiteral("larger than 1 MiB");
    return std::nullopt;
  }
  return Parse(file.readAll());
}

IniFile IniFile::Parse(const QByteArray& text) {
  IniFile ini;
  QString section;
  int number = 0;
  for (const QByteArray& raw : text.split('\n')) {
    ++number;
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.isEmpty() || line.startsWith('#') || line.startsWith(';')) continue;
    if (line.startsWith('[') && line.endsWith(']')) {
      section = line.mid(1, line.size() - 2).trimmed().toLower();
      continue;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0 || section.isEmpty()) {
      ini.problems_
          << QStringLiteral("line %1: expected \"key = value\" in a [section]").arg(number);
      continue;
    }
    const QString key = section + '/' + line.left(equals).trimmed().toLower();
    if (ini.values_.count(key))
      ini.problems_ << QStringLiteral("line %1: %2 is set twice").arg(number).arg(key);
    ini.values_[key] = line.mid(equals + 1).trimmed();
  }
  return ini;
}
