#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

// A server program that a test starts and that ends with the test: started with its output
// going to a log file, waited for until `ready` says it serves, and stopped (terminated, then
// killed) when the object goes.
class ServerProcess {
 public:
  ServerProcess() = default;
  ~ServerProcess() { Stop(); }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // False with the reason (and the end of the log) when it cannot run or is not ready within
  // `timeoutMs`.
  bool Start(const QString& program, const QStringList& arguments, const QString& logFile,
             const std::function<bool()>& ready, QString* error, int timeoutMs = 10000);
  void Stop();
  bool Running() const { return process_.state() != QProcess::NotRunning; }
  QProcess& Process() { return process_; }

 private:
  QProcess process_;
  QString log_;
};

// The end of a log file, for a failure message.
QString LogTail(const QString& path);
