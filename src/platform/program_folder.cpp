#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef QUILLORA_DATA_FROM_BIN
#define QUILLORA_DATA_FROM_BIN "../share/quillora"
#endif

namespace {
QString& OverrideFolder() {
  static QString folder;
  return folder;
}

// The data folder of an installed program, or nothing when the program runs from elsewhere.
QString InstalledDataFolder() {
  const QString folder = ProgramFolder() + QStringLiteral("/" QUILLORA_DATA_FROM_BIN);
  return QFileInfo(folder).isDir() ? QDir::cleanPath(folder) : QString();
}
}  // namespace

QString ProgramFolder() {
  QString folder = OverrideFolder();
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  return folder;
}

void SetProgramFolder(const QString& folder) { OverrideFolder() = folder; }

QString DataFolder() {
  const QString installed = InstalledDataFolder();
  return installed.isEmpty() ? ProgramFolder() : installed;
}

bool ProgramFolderWritable() {
  if (!InstalledDataFolder().isEmpty()) return false;
  const QFileInfo folder(ProgramFolder());
  constexpr auto kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  return folder.isDir() && folder.isWritable() && (folder.permissions() & kAnyWrite);
}

QString UserDataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/Quillora");
}

QString UserCacheFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
         QStringLiteral("/Quillora");
}
