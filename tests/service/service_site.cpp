#include "service_site.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "loopback.h"

ServiceSite::~ServiceSite() {
  web_.Stop();
  QFile log(web_.ErrorLog());
  if (!log.open(QIODevice::ReadOnly)) return;
  const QByteArray text = log.readAll();
  if (text.contains("Sanitizer") || text.contains("runtime error:"))
    ADD_FAILURE() << "a CGI program's sanitizer report:\n" << text.toStdString();
}

bool ServiceSite::Start(const ServiceOptions& options, QString* error) {
  options_ = options;
  const QString root = folder_.path();
  if (options.relayDown) {
    relayPort_ = ClosedLoopbackPort();
  } else {
    if (!sink_.Start(root + "/sink", error, options.sinkOptions)) return false;
    relayPort_ = sink_.Port();
  }
  if (options.postgres) {
    postgres_ = std::make_unique<PostgresServer>();
    if (!postgres_->Start(error)) return false;
  }
  if (!WriteConfig()) {
    *error = QStringLiteral("cannot write %1").arg(ConfigPath());
    return false;
  }
  // The database exists before the CGI runs, as the README's set-up makes it.
  if (const AdminRun migrated = Admin({"db", "migrate"}); migrated.exitCode != 0) {
    *error = QStringLiteral("db migrate: ") + QString::fromUtf8(migrated.err);
    return false;
  }
  QDir().mkpath(root + "/htdocs/cgi-bin");
  QFile::link(QStringLiteral(QUILLORA_WRITEFILE_CGI), root + "/htdocs/cgi-bin/writefile.cgi");
  // album.cgi outside the document root, answering "/" and "/quill/album/..." as the README
  // sets it up.
  QDir().mkpath(root + "/libexec");
  const QString album = root + "/libexec/album.cgi";
  QFile::link(QStringLiteral(QUILLORA_ALBUM_CGI), album);
  LighttpdSite site{root + "/htdocs", root + "/web", {{"QUILLORA_SERVICE_CONF", ConfigPath()}}, {}};
  site.extraConfig = QStringLiteral(
                         "server.modules += (\"mod_alias\")\n"
                         "$HTTP[\"url\"] =~ \"^/($|quill/album(/|$))\" {\n"
                         "  alias.url = (\"/quill/album\" => \"%1\", \"/\" => \"%1\")\n"
                         "  cgi.assign = (\"\" => \"\")\n}\n")
                         .arg(album);
  // The web server hands its own environment to no CGI program: sanitizer settings go along
  // explicitly, so that a sanitized build's CGI reports as the tests do.
  for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
    if (qEnvironmentVariableIsSet(name))
      site.cgiEnvironment.insert(name, qEnvironmentVariable(name));
  if (options.tls) {
    if (!ca_.Create(root, error)) return false;
    site.tlsPemFile = ca_.ServerPemFile();
  }
  if (!web_.Start(site, error)) return false;
  // The pages' own address, for the links in their mails, is known once the server runs.
  return WriteConfig();
}

bool ServiceSite::WriteConfig() {
  QString database;
  if (postgres_) {
    database =
        QStringLiteral("driver = postgresql\nhost = 127.0.0.1\nport = %1\nname = %2\nuser = %3\n")
            .arg(postgres_->Port())
            .arg(PostgresServer::DatabaseName(), PostgresServer::User());
  } else {
    database = QStringLiteral("driver = sqlite\npath = %1/service.db\n").arg(folder_.path());
  }
  const QString config =
      QStringLiteral(
          "# written by the test\n[database]\n%1\n"
          "[relay]\nhost = 127.0.0.1\nport = %2\ntimeout_seconds = 10\n\n"
          "[accounts]\nfailure_delay_ms = 300\n\n"
          "[mail]\ndomain = quillora.test\n\n%3\n%4")
          .arg(database)
          .arg(relayPort_)
          .arg(options_.extraConfig,
               web_.Port() > 0 ? "[web]\norigin = " + web_.Origin() + "\n" : QString());
  QFile file(ConfigPath());
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(config.toUtf8()) > 0;
}

bool ServiceSite::Reconfigure(const QString& extraConfig) {
  options_.extraConfig = extraConfig;
  return WriteConfig();
}

ServiceSite::AdminRun ServiceSite::Admin(const QStringList& arguments,
                                         const QByteArray& input) const {
  QProcess admin;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QUILLORA_SERVICE_CONF", ConfigPath());
  admin.setProcessEnvironment(environment);
  admin.start(QStringLiteral(QUILLORA_SERVICE_ADMIN), arguments);
  admin.write(input);
  admin.closeWriteChannel();
  AdminRun run;
  if (!admin.waitForFinished(60000)) return run;
  run.exitCode = admin.exitStatus() == QProcess::NormalExit ? admin.exitCode() : -1;
  run.out = admin.readAllStandardOutput();
  run.err = admin.readAllStandardError();
  return run;
}

qint64 ServiceSite::AddAccount(const QString& address, const QString& password) const {
  const AdminRun added = Admin({"user", "add", address}, password.toUtf8() + "\n");
  const qsizetype album = added.out.indexOf("album=");
  if (added.exitCode != 0 || album < 0) return -1;
  return added.out.mid(album + 6).trimmed().toLongLong();
}

QStringList ServiceSite::RequestLog() const {
  QFile file(web_.ErrorLog());
  QStringList lines;
  if (!file.open(QIODevice::ReadOnly)) return lines;
  for (const QByteArray& line : file.readAll().split('\n'))
    if (line.contains("writefile.cgi account=")) lines << QString::fromUtf8(line);
  return lines;
}
