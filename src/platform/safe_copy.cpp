#include "safe_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

#include "platform/errors.h"
#include "platform/local_file.h"
#include "platform/unique_fd.h"

namespace {

// Far above any file the program replaces; a bigger source is not one of its files.
constexpr qint64 kMaxCopyBytes = 256 * 1024 * 1024;

[[noreturn]] void Fail(int error, const QString& target) {
  throw FileError::FromErrno(error, target);
}

// The file the name stands for: a link's target, so that the link itself stays a link.
QString ResolvedTarget(const QString& target) {
  const QFileInfo info(target);
  if (info.isSymLink()) {
    const QString resolved = info.canonicalFilePath();
    if (!resolved.isEmpty()) return resolved;
  }
  return target;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t count = ::write(fd, data, size);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) {
      errno = EIO;
      return false;
    }
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

// A new file in `folder` that nobody else can have opened; its name goes to *name.
UniqueFd CreateNewFile(const QByteArray& folder, const QByteArray& baseName, QByteArray* name) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    const QByteArray candidate = folder + "/." + baseName + '.' +
                                 QByteArray::number(QRandomGenerator::global()->generate64(), 36) +
                                 ".tmp";
    const int fd =
        ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0) {
      *name = candidate;
      return UniqueFd(fd);
    }
    if (errno != EEXIST) break;
  }
  return UniqueFd();
}

// Makes the rename itself last; a folder that cannot be synced is no reason to fail.
void SyncFolder(const QByteArray& folder) {
  const UniqueFd fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) ::fsync(fd.Get());
}

}  // namespace

void WriteFileReplacing(const QString& target, QByteArrayView bytes, std::optional<mode_t> mode) {
  const QFileInfo resolved(ResolvedTarget(target));
  const QByteArray path = QFile::encodeName(resolved.absoluteFilePath());
  const QByteArray folder = QFile::encodeName(resolved.absolutePath());

  struct stat old {};
  const bool exists = ::stat(path.constData(), &old) == 0;
  if (!exists && errno != ENOENT) Fail(errno, target);
  if (exists && S_ISDIR(old.st_mode)) Fail(EISDIR, target);
  if (exists && !S_ISREG(old.st_mode)) Fail(EINVAL, target);

  QByteArray temp;
  UniqueFd file = CreateNewFile(folder, QFile::encodeName(resolved.fileName()), &temp);
  if (!file.Valid()) Fail(errno, target);
  const auto abandon = [&](int error) {
    file.Reset();
    ::unlink(temp.constData());
    Fail(error, target);
  };
  if ((mode || exists) && ::fchmod(file.Get(), mode ? *mode : (old.st_mode & 07777)) != 0)
    abandon(errno);
  if (!WriteAll(file.Get(), bytes.data(), static_cast<std::size_t>(bytes.size()))) abandon(errno);
  if (::fsync(file.Get()) != 0) abandon(errno);
  if (!file.Reset()) abandon(errno);
  if (::rename(temp.constData(), path.constData()) != 0) abandon(errno);
  SyncFolder(folder);
}

void CopyFileReplacing(const QString& source, const QString& target) {
  WriteFileReplacing(target, ReadLocalFile(source, kMaxCopyBytes));
}

bool TryWriteFileReplacing(const QString& target, QByteArrayView bytes,
                           std::optional<mode_t> mode) {
  try {
    WriteFileReplacing(target, bytes, mode);
    return true;
  } catch (const FileError&) {
    return false;
  }
}
