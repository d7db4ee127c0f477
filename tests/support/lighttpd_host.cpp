#include "lighttpd_host.h"

#include <QDir>
#include <QFile>

#include "loopback.h"

namespace {

const char kLighttpd[] = "/usr/sbin/lighttpd";

}  // namespace

QString LighttpdHost::Origin() const {
  return QStringLiteral("%1://127.0.0.1:%2")
      .arg(site_.tlsPemFile.isEmpty() ? QStringLiteral("http") : QStringLiteral("https"))
      .arg(port_);
}

bool LighttpdHost::Start(const LighttpdSite& site, QString* error) {
  site_ = site;
  QDir().mkpath(site_.workFolder);
  // Another program may take the free port between our look-up and lighttpd's bind.
  for (int attempt = 0; attempt < 3; ++attempt)
    if (Launch(error)) return true;
  return false;
}

bool LighttpdHost::Launch(QString* error) {
  port_ = ClosedLoopbackPort();
  QString config =
      QStringLiteral(
          "server.document-root = \"%1\"\n"
          "server.bind = \"127.0.0.1\"\n"
          "server.port = %2\n"
          "server.modules = (\"mod_setenv\", \"mod_cgi\"%3)\n"
          "server.errorlog = \"%4/error.log\"\n"
          "server.upload-dirs = (\"%4\")\n"
          "cgi.assign = (\".cgi\" => \"\")\n")
          .arg(site_.documentRoot)
          .arg(port_)
          .arg(site_.tlsPemFile.isEmpty() ? QString() : QStringLiteral(", \"mod_openssl\""))
          .arg(site_.workFolder);
  if (!site_.tlsPemFile.isEmpty())
    config +=
        QStringLiteral("ssl.engine = \"enable\"\nssl.pemfile = \"%1\"\n").arg(site_.tlsPemFile);
  if (!site_.cgiEnvironment.isEmpty()) {
    QStringList pairs;
    for (auto it = site_.cgiEnvironment.begin(); it != site_.cgiEnvironment.end(); ++it)
      pairs << QStringLiteral("\"%1\" => \"%2\"").arg(it.key(), it.value());
    config += QStringLiteral("setenv.add-environment = (%1)\n").arg(pairs.join(", "));
  }
  config += site_.extraConfig;
  const QString configFile = site_.workFolder + "/lighttpd.conf";
  QFile file(configFile);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(config.toUtf8()) < 0) {
    *error = QStringLiteral("cannot write %1").arg(configFile);
    return false;
  }
  file.close();
  const int port = port_;
  // Its standard error, which CGI programs inherit, goes to the same log.
  return process_.Start(
      kLighttpd, {"-D", "-f", configFile}, ErrorLog(), [port] { return AnswersOnLoopback(port); },
      error, 5000);
}
