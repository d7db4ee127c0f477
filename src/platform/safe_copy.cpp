#include "safe_copy.h"

#include <QFile>
#include <QSaveFile>

#include "platform/errors.h"

namespace {

[[noreturn]] void Fail(const QString& path, const QFileDevice& file) {
  throw FileError(path + QStringLiteral(": ") + file.errorString());
}

}  // namespace

void CopyFileReplacing(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) Fail(source, in);
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) Fail(target, out);
  char buffer[64 * 1024];
  for (;;) {
    const qint64 got = in.read(buffer, sizeof buffer);
    if (got < 0) Fail(source, in);
    if (got == 0) break;
    if (out.write(buffer, got) != got) Fail(target, out);
  }
  if (!out.commit()) Fail(target, out);
}

void WriteFileReplacing(const QString& target, QByteArrayView bytes) {
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) Fail(target, out);
  if (out.write(bytes.data(), bytes.size()) != bytes.size()) Fail(target, out);
  if (!out.commit()) Fail(target, out);
}
