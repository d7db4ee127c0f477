#include "temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/program_folder.h"

namespace {

// Exported pictures are the user's own: nobody else may list or read them.
QString PrivateFolder(const QString& path) {
  QDir().mkpath(path);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

}  // namespace

QString TempFolder() {
  if (ProgramFolderWritable()) return ProgramFolder() + QStringLiteral("/temp");
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
    return PrivateFolder(QDir::cleanPath(runtime) + QStringLiteral("/Quillora"));
  return PrivateFolder(UserCacheFolder() + QStringLiteral("/temp"));
}

void EmptyTempFolder() {
  const QDir folder(TempFolder());
  const QStringList files = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& name : files) QFile::remove(folder.filePath(name));
}
