#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>

// Set-up shared by the service's benchmarks.

inline bool WriteBenchFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Adds the account "bench@example.jp" (password "bench-password") with the service's own
// command and the configuration at `configPath`; its album number, or -1 when that failed.
inline qint64 AddBenchAccount(const QString& adminCommand, const QString& configPath) {
  QProcess admin;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QUILLORA_SERVICE_CONF", configPath);
  admin.setProcessEnvironment(environment);
  admin.start(adminCommand, {"user", "add", "bench@example.jp"});
  admin.write("bench-password\n");
  admin.closeWriteChannel();
  if (!admin.waitForFinished(30000) || admin.exitCode() != 0) return -1;
  const QByteArray out = admin.readAllStandardOutput();
  const qsizetype album = out.indexOf("album=");
  return album < 0 ? -1 : out.mid(album + 6).trimmed().toLongLong();
}
