#include "lighttpd_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace {

const char kLighttpd[] = "/usr/sbin/lighttpd";

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

bool Answers(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = Loopback(port);
  const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

// The script writes its records under temporary names and renames them, so a reader never
// sees half a record.
QByteArray CgiScript(const QString& records) {
  return QStringLiteral(
             "#!/bin/sh\n"
             "records='%1'\n"
             "cat > \"$records/body.part\"\n"
             "env > \"$records/variables.part\"\n"
             "mv \"$records/body.part\" \"$records/body\"\n"
             "mv \"$records/variables.part\" \"$records/variables\"\n"
             "echo x >> \"$records/requests\"\n"
             "if [ -f \"$records/delay\" ]; then sleep \"$(cat \"$records/delay\")\"; fi\n"
             "printf 'Status: %s\\r\\nContent-Type: text/html\\r\\n\\r\\n' \"$(cat "
             "\"$records/status\")\"\n"
             "cat \"$records/page\"\n")
      .arg(records)
      .toUtf8();
}

}  // namespace

int ClosedLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

LighttpdServer::~LighttpdServer() { Stop(); }

bool LighttpdServer::Start(QString* error) {
  // Another program may take the free port between our look-up and lighttpd's bind.
  for (int attempt = 0; attempt < 3; ++attempt)
    if (Launch(error)) return true;
  return false;
}

bool LighttpdServer::Launch(QString* error) {
  const QString root = dir_.path();
  const QString records = root + "/records";
  QDir().mkpath(root + "/htdocs/cgi-bin");
  QDir().mkpath(records);
  const QString script = root + "/htdocs/cgi-bin/writefile.cgi";
  if (!WriteFile(script, CgiScript(records)) ||
      !QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
    *error = QStringLiteral("cannot write the CGI script");
    return false;
  }
  SetReply("200 OK", "<html><body>OK</body></html>\n");

  port_ = ClosedLoopbackPort();
  const QString config = QStringLiteral(
                             "server.document-root = \"%1/htdocs\"\n"
                             "server.bind = \"127.0.0.1\"\n"
                             "server.port = %2\n"
                             "server.modules = (\"mod_cgi\")\n"
                             "server.errorlog = \"%1/error.log\"\n"
                             "server.upload-dirs = (\"%1\")\n"
                             "cgi.assign = (\".cgi\" => \"\")\n")
                             .arg(root)
                             .arg(port_);
  WriteFile(root + "/lighttpd.conf", config.toUtf8());

  process_.setStandardOutputFile(QProcess::nullDevice());
  process_.setStandardErrorFile(QProcess::nullDevice());
  process_.start(kLighttpd, {"-D", "-f", root + "/lighttpd.conf"});
  if (!process_.waitForStarted(5000)) {
    *error = QStringLiteral("cannot run %1: %2").arg(kLighttpd, process_.errorString());
    return false;
  }
  for (int waited = 0; waited < 5000; waited += 20) {
    if (Answers(port_)) return true;
    if (process_.waitForFinished(20)) break;
  }
  *error = QStringLiteral("lighttpd did not answer: ") + ReadRecord("../error.log");
  Stop();
  return false;
}

void LighttpdServer::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

void LighttpdServer::SetReply(const QByteArray& status, const QByteArray& page) {
  WriteFile(dir_.path() + "/records/status", status);
  WriteFile(dir_.path() + "/records/page", page);
}

void LighttpdServer::SetDelay(int milliseconds) {
  WriteFile(dir_.path() + "/records/delay", QByteArray::number(milliseconds / 1000.0));
}

QByteArray LighttpdServer::ReadRecord(const QString& name) const {
  QFile file(dir_.path() + "/records/" + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int LighttpdServer::RequestCount() const {
  return static_cast<int>(ReadRecord("requests").count('\n'));
}

QByteArray LighttpdServer::Body() const { return ReadRecord("body"); }

QMap<QString, QString> LighttpdServer::Variables() const {
  QMap<QString, QString> variables;
  for (const QByteArray& line : ReadRecord("variables").split('\n')) {
    const qsizetype equals = line.indexOf('=');
    if (equals > 0)
      variables.insert(QString::fromUtf8(line.left(equals)),
                       QString::fromUtf8(line.mid(equals + 1)));
  }
  return variables;
}
