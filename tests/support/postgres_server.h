#pragma once

#include <QString>
#include <QTemporaryDir>

#include "server_process.h"

// A PostgreSQL server of the test's own: a cluster made by initdb in a temporary folder,
// listening on 127.0.0.1 on a free port, with the superuser "quillora" trusted from there.
// Run as root (as CI does), the server runs as the "postgres" system user, since PostgreSQL
// refuses to run as root.
class PostgresServer {
 public:
  // False with the reason when the server is not installed or does not start.
  bool Start(QString* error);
  void Stop() { process_.Stop(); }

  int Port() const { return port_; }
  static QString User() { return QStringLiteral("quillora"); }
  static QString DatabaseName() { return QStringLiteral("postgres"); }

 private:
  QTemporaryDir folder_;
  ServerProcess process_;
  int port_ = 0;
};
