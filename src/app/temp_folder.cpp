#include "temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/program_folder.h"

namespace {

struct Location {
  QString path;
  bool isPrivate = false;
};

Location TempLocation() {
  if (ProgramFolderWritable()) return {ProgramFolder() + QStringLiteral("/temp")};
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
    return {QDir::cleanPath(runtime) + QStringLiteral("/Quillora"), true};
  return {UserCacheFolder() + QStringLiteral("/temp"), true};
}

}  // namespace

QString TempFolder() {
  const Location location = TempLocation();
  QDir().mkpath(location.path);
  // Exported pictures are the user's own: nobody else may list or read them.
  if (location.isPrivate)
    QFile::setPermissions(location.path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return location.path;
}

void EmptyTempFolder() {
  const QDir folder(TempLocation().path);
  const QStringList files = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& name : files) QFile::remove(folder.filePath(name));
}
