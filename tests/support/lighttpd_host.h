#pragma once

#include <QMap>
#include <QString>

#include "server_process.h"

// A real lighttpd on 127.0.0.1 on a free port, serving `documentRoot` with every "*.cgi" file
// run as a CGI program, over plain HTTP or, with a certificate, over TLS.
struct LighttpdSite {
  QString documentRoot;
  QString workFolder;                     // its configuration, logs and upload buffers
  QMap<QString, QString> cgiEnvironment;  // added to every CGI program's environment
  QString tlsPemFile;                     // certificate and key in one PEM file; empty: plain
  QString extraConfig{};                  // more lines of lighttpd's configuration
};

class LighttpdHost {
 public:
  // False with the reason when it does not serve within a few seconds.
  bool Start(const LighttpdSite& site, QString* error);
  void Stop() { process_.Stop(); }

  int Port() const { return port_; }
  // "http://127.0.0.1:<port>" or "https://127.0.0.1:<port>".
  QString Origin() const;
  // "127.0.0.1:<port>", the composer's form of a server.
  QString HostAndPort() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
  // Where lighttpd writes its errors and the CGI programs' standard error.
  QString ErrorLog() const { return site_.workFolder + "/error.log"; }

 private:
  bool Launch(QString* error);

  LighttpdSite site_;
  ServerProcess process_;
  int port_ = 0;
};
