#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real lighttpd on 127.0.0.1 with the service's CGI path, /cgi-bin/writefile.cgi, whose
// script records each request's CGI variables and raw body in a temporary folder and answers
// with a status and page the test chooses.
class LighttpdServer {
 public:
  LighttpdServer() = default;
  ~LighttpdServer();
  LighttpdServer(const LighttpdServer&) = delete;
  LighttpdServer& operator=(const LighttpdServer&) = delete;

  // Starts on a free port and waits until it answers; false with the reason otherwise.
  bool Start(QString* error);
  void Stop();

  int Port() const { return port_; }
  // The value for the `Server` setting.
  QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

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
  bool Launch(QString* error);

  QTemporaryDir dir_;
  QProcess process_;
  int port_ = 0;
};

// A port on 127.0.0.1 that nothing listens on.
int ClosedLoopbackPort();
