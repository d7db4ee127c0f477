#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "lighttpd_host.h"
#include "postgres_server.h"
#include "smtp_sink.h"
#include "test_ca.h"

struct ServiceOptions {
  bool postgres = false;      // else SQLite in the site's folder
  bool tls = false;           // lighttpd over TLS with a certificate of a test CA
  bool relayDown = false;     // the relay's port has nothing listening
  QStringList sinkOptions{};  // smtp_sink.py's --refuse and --defer
  QString extraConfig{};      // more INI sections, e.g. "[limits]\nmails_per_hour = 2\n"
};

// The real service as a deployment has it, on 127.0.0.1: lighttpd running the built
// writefile.cgi and album.cgi, its configuration file, a database (SQLite or a PostgreSQL server of
// its own) and the SMTP sink as the relay. Accounts are made with the built quillora-service
// command.
class ServiceSite {
 public:
  // Fails the test when a sanitizer reported anything in the CGI programs it ran.
  ~ServiceSite();
  bool Start(const ServiceOptions& options, QString* error);

  struct AdminRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
  };
  // Runs quillora-service with this site's configuration.
  AdminRun Admin(const QStringList& arguments, const QByteArray& input = {}) const;
  // A new account; its album number, or -1 when the command failed.
  qint64 AddAccount(const QString& address, const QString& password) const;

  QString UploadUrl() const { return web_.Origin() + "/cgi-bin/writefile.cgi"; }
  // "http://127.0.0.1:<port>" (or https), where the pages are.
  QString Origin() const { return web_.Origin(); }
  QString ServerSetting() const { return web_.HostAndPort(); }
  QString Folder() const { return folder_.path(); }
  QString ConfigPath() const { return folder_.path() + "/service.conf"; }
  // The test CA's certificate over TLS; empty over plain HTTP.
  QString CaFile() const { return options_.tls ? ca_.CaFile() : QString(); }
  SmtpSink& Sink() { return sink_; }
  // The log lines writefile.cgi wrote (the web server's error log).
  QStringList RequestLog() const;

  // Writes the configuration again with these extra sections.
  bool Reconfigure(const QString& extraConfig);

 private:
  bool WriteConfig();

  ServiceOptions options_;
  QTemporaryDir folder_;
  SmtpSink sink_;
  std::unique_ptr<PostgresServer> postgres_;
  TestCa ca_;
  LighttpdHost web_;
  int relayPort_ = 0;
};
