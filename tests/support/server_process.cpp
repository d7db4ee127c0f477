#include "server_process.h"

#include <QFile>

QString LogTail(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  const QByteArray all = file.readAll();
  return QString::fromUtf8(all.right(2000));
}

bool ServerProcess::Start(const QString& program, const QStringList& arguments,
                          const QString& logFile, const std::function<bool()>& ready,
                          QString* error, int timeoutMs) {
  log_ = logFile;
  process_.setStandardOutputFile(logFile, QIODevice::Append);
  process_.setStandardErrorFile(logFile, QIODevice::Append);
  process_.start(program, arguments);
  if (!process_.waitForStarted(5000)) {
    *error = QStringLiteral("cannot run %1: %2").arg(program, process_.errorString());
    return false;
  }
  for (int waited = 0; waited < timeoutMs; waited += 20) {
    if (ready()) return true;
    if (process_.waitForFinished(20)) break;
  }
  *error = QStringLiteral("%1 did not become ready: %2").arg(program, LogTail(logFile));
  Stop();
  return false;
}

void ServerProcess::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}
