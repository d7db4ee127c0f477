#include "postgres_server.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>

#include "loopback.h"

namespace {

// The newest installed server's programs.
QString ServerBinaries() {
  QStringList versions =
      QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  std::sort(versions.begin(), versions.end(),
            [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
  for (const QString& version : versions) {
    const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
    if (QFile::exists(bin + "/initdb") && QFile::exists(bin + "/postgres")) return bin;
  }
  return QString();
}

// Runs the child as `user` (when the test runs as root).
void RunAs(QProcess& process, const passwd* user) {
  if (!user) return;
  const uid_t uid = user->pw_uid;
  const gid_t gid = user->pw_gid;
  process.setChildProcessModifier([uid, gid] {
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(127);
  });
}

}  // namespace

bool PostgresServer::Start(QString* error) {
  const QString bin = ServerBinaries();
  if (bin.isEmpty()) {
    *error = QStringLiteral("PostgreSQL is not installed (scripts/install-deps installs it)");
    return false;
  }
  const passwd* user = nullptr;
  if (::geteuid() == 0) {
    user = ::getpwnam("postgres");
    if (!user) {
      *error = QStringLiteral("running as root, but there is no \"postgres\" system user");
      return false;
    }
    if (::chown(QFile::encodeName(folder_.path()).constData(), user->pw_uid, user->pw_gid) != 0) {
      *error = QStringLiteral("cannot give %1 to postgres").arg(folder_.path());
      return false;
    }
  }
  const QString data = folder_.path() + "/data";
  QProcess initdb;
  RunAs(initdb, user);
  initdb.setProcessChannelMode(QProcess::MergedChannels);
  initdb.start(bin + "/initdb", {"-D", data, "-U", User(), "--auth=trust", "--no-sync",
                                 "--no-instructions", "-E", "UTF8", "--no-locale"});
  if (!initdb.waitForFinished(60000) || initdb.exitCode() != 0) {
    *error = QStringLiteral("initdb failed: ") + QString::fromUtf8(initdb.readAll());
    return false;
  }
  // Durability does not matter for a cluster that lives as long as one test.
  RunAs(process_.Process(), user);
  for (int attempt = 0; attempt < 3; ++attempt) {
    port_ = ClosedLoopbackPort();
    const int port = port_;
    if (process_.Start(
            bin + "/postgres",
            {"-D", data, "-h", "127.0.0.1", "-p", QString::number(port_), "-k", folder_.path(),
             "-c", "fsync=off", "-c", "synchronous_commit=off", "-c", "full_page_writes=off"},
            folder_.path() + "/server.log",
            [port, bin] {
              return QProcess::execute(bin + "/pg_isready",
                                       {"-q", "-h", "127.0.0.1", "-p", QString::number(port)}) == 0;
            },
            error, 30000))
      return true;
  }
  return false;
}
