#include "local_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "platform/errors.h"
#include "platform/unique_fd.h"

QByteArray ReadLocalFile(const QString& path, qint64 maxBytes) {
  const UniqueFd file(
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!file.Valid()) throw FileError::FromErrno(errno, path);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) throw FileError::FromErrno(errno, path);
  if (S_ISDIR(info.st_mode)) throw FileError::FromErrno(EISDIR, path);
  if (!S_ISREG(info.st_mode)) throw FileError::FromErrno(EINVAL, path);
  if (info.st_size > maxBytes) throw FileError::FromErrno(EFBIG, path);
  const int flags = ::fcntl(file.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
    throw FileError::FromErrno(errno, path);

  // Read to the end rather than to the size given: files of the system (in /proc, say) give
  // none, and a file may be written to meanwhile.
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(info.st_size));
  char chunk[64 * 1024];
  for (;;) {
    const ssize_t count = ::read(file.Get(), chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) throw FileError::FromErrno(errno, path);
    if (count == 0) break;
    if (bytes.size() + count > maxBytes) throw FileError::FromErrno(EFBIG, path);
    bytes.append(chunk, count);
  }
  return bytes;
}
