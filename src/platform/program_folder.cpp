#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& OverrideFolder() {
  static QString folder;
  return folder;
}
}  // namespace

QString ProgramFolder() {
  QString folder = OverrideFolder();
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  return folder;
}

void SetProgramFolder(const QString& folder) { OverrideFolder() = folder; }
