#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

// A plain INI file: "[section]" lines, "key = value" lines, blank lines and comment lines
// starting with "#" or ";". Values are taken as written, trimmed; nothing is unquoted or split.
class IniFile {
 public:
  // Reads the file; nothing when it cannot be read, and then *error says why. Lines that are
  // none of the above are reported in Problems() with their numbers.
  static std::optional<IniFile> Read(const QString& path, QString* error);
  static IniFile Parse(const QByteArray& text);

  // Every key as "section/key".
  const std::map<QString, QString>& Values() const { return values_; }
  const QStringList& Problems() const { return problems_; }

 private:
  std::map<QString, QString> values_;
  QStringList problems_;
};
