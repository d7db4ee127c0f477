#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include "lighttpd_host.h"
#include "loopback.h"

// A real lighttpd on 127.0.0.1 with the service's CGI path, /cgi-bin/writefile.cgi, whose
// script records each request's CGI variables and raw body in a temporary folder and answers
// with a status and page the test chooses.
class LighttpdServer {
 public:
  LighttpdServer() = default;
  LighttpdServer(const LighttpdServer&) = delete;
  LighttpdServer& operator=(const LighttpdServer&) = delete;

  // Starts on a free port and waits until it answers; false with the reason otherwise. With a
  // certificate and key (one PEM file) it answers over TLS only.
  bool Start(QString* error, const QString& tlsPemFile = QString());
  void Stop() { host_.Stop(); }

  int Port() const { return host_.Port(); }
  // The value for the `Server` setting ("https://127.0.0.1:<port>" over TLS).
  QString Address() const { return tls_ ? host_.Origin() : host_.HostAndPort(); }

  // What the CGI answers from now on, e.g. ("500 Internal Server Error", page).
  void SetReply(const QByteArray& status, const QByteArray& page);
  // How long the CGI waits, after recording a request, before it answers.
  void SetDelay(int milliseconds);

  // How many requests reached the CGI.
  int RequestCount() const;
  // The last request's raw body and its CGI variables (HTTP_*, CONTENT_LENGTH, ...).
  QByteArray Body() const;
  QMap<QString, QString> Variables() const;

 private:
  QByteArray ReadRecord(const QString& name) const;

  QTemporaryDir dir_;
  LighttpdHost host_;
  bool tls_ = false;
};
