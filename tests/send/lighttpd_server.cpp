#include "lighttpd_server.h"

#include <QDir>
#include <QFile>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
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

bool LighttpdServer::Start(QString* error, const QString& tlsPemFile) {
  tls_ = !tlsPemFile.isEmpty();
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
  return host_.Start({root + "/htdocs", root, {}, tlsPemFile}, error);
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
