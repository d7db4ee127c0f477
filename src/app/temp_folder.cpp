#include "temp_folder.h"

#include <QDir>
#include <QFile>

#include "platform/program_folder.h"

QString TempFolder() { return ProgramFolder() + QStringLiteral("/temp"); }

void EmptyTempFolder() {
  const QDir folder(TempFolder());
  const QStringList files = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& name : files) QFile::remove(folder.filePath(name));
}
