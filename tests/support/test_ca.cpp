#include "test_ca.h"

#include <QFile>
#include <QProcess>

namespace {

bool Run(const QString& folder, const QStringList& arguments, QString* error) {
  QProcess openssl;
  openssl.setWorkingDirectory(folder);
  openssl.setProcessChannelMode(QProcess::MergedChannels);
  openssl.start(QStringLiteral("openssl"), arguments);
  if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
      openssl.exitCode() != 0) {
    *error =
        QStringLiteral("openssl %1: %2 %3")
            .arg(arguments.join(' '), openssl.errorString(), QString::fromUtf8(openssl.readAll()));
    return false;
  }
  return true;
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

bool TestCa::Create(const QString& folder, QString* error) {
  folder_ = folder;
  const QStringList key = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
  if (!Write(folder + "/server.ext",
             "basicConstraints = CA:FALSE\n"
             "keyUsage = critical, digitalSignature\n"
             "extendedKeyUsage = serverAuth\n"
             "subjectAltName = IP:127.0.0.1, DNS:localhost\n")) {
    *error = QStringLiteral("cannot write into %1").arg(folder);
    return false;
  }
  if (!Run(folder,
           QStringList{"req", "-x509"} + key +
               QStringList{"-keyout", "ca.key", "-out", "ca.pem", "-days", "2", "-subj",
                           "/CN=Quillora test CA", "-addext", "basicConstraints=critical,CA:TRUE",
                           "-addext", "keyUsage=critical,keyCertSign,cRLSign"},
           error) ||
      !Run(folder,
           QStringList{"req"} + key +
               QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=127.0.0.1"},
           error) ||
      !Run(folder,
           {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
            "-CAcreateserial", "-out", "server.crt", "-days", "2", "-extfile", "server.ext"},
           error))
    return false;
  QFile certificate(folder + "/server.crt"), serverKey(folder + "/server.key");
  if (!certificate.open(QIODevice::ReadOnly) || !serverKey.open(QIODevice::ReadOnly) ||
      !Write(ServerPemFile(), certificate.readAll() + serverKey.readAll())) {
    *error = QStringLiteral("cannot write %1").arg(ServerPemFile());
    return false;
  }
  return true;
}
