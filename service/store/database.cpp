#include "store/database.h"

#include <QFileInfo>
#include <QSqlError>
#include <atomic>

namespace {

// How long a statement waits for another process's write lock on the SQLite file.
constexpr int kSqliteBusyMs = 10000;

QString NextConnectionName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("quillora-%1").arg(counter++);
}

[[noreturn]] void Fail(const QString& what, const QSqlError& error) {
  throw DatabaseError((what + QStringLiteral(": ") + error.text()).toStdString());
}

}  // namespace

Database::Database(const DatabaseConfig& config, Creation creation)
    : name_(NextConnectionName()),
      dialect_(config.driver == DatabaseConfig::Driver::kSqlite ? Dialect::kSqlite
                                                                : Dialect::kPostgresql) {
  if (dialect_ == Dialect::kSqlite) {
    if (creation == Creation::kRefused && !QFileInfo(config.path).isFile())
      throw DatabaseError(
          QStringLiteral("%1: no database (create it with \"quillora-service db migrate\")")
              .arg(config.path)
              .toStdString());
    connection_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    connection_.setDatabaseName(config.path);
    connection_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kSqliteBusyMs));
  } else {
    connection_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    connection_.setHostName(config.host);
    connection_.setPort(config.port);
    connection_.setDatabaseName(config.name);
    connection_.setUserName(config.user);
    connection_.setPassword(config.password);
    connection_.setConnectOptions(QStringLiteral("connect_timeout=10"));
  }
  if (!connection_.isValid()) Fail(QStringLiteral("no Qt Sql driver"), connection_.lastError());
  if (!connection_.open())
    Fail(QStringLiteral("cannot open the database"), connection_.lastError());
  if (dialect_ == Dialect::kSqlite) {
    // WAL lets readers go on while one process writes; the mode stays with the file.
    QSqlQuery mode = Run(QStringLiteral("PRAGMA journal_mode=WAL"));
    if (!mode.next() || mode.value(0).toString().compare("wal", Qt::CaseInsensitive) != 0)
      throw DatabaseError("the SQLite file cannot be put in WAL mode");
    Run(QStringLiteral("PRAGMA foreign_keys=ON"));
  }
}

Database::~Database() {
  connection_.close();
  connection_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(name_);
}

QSqlQuery Database::Run(const QString& sql, const QVariantList& values) {
  QSqlQuery query(connection_);
  // Statements without values run as they are: PostgreSQL prepares no schema statements.
  if (values.isEmpty()) {
    if (!query.exec(sql)) Fail(sql, query.lastError());
    return query;
  }
  if (!query.prepare(sql)) Fail(sql, query.lastError());
  for (const QVariant& value : values) query.addBindValue(value);
  if (!query.exec()) Fail(sql, query.lastError());
  return query;
}

Transaction::Transaction(Database& database) : database_(database) {
  if (!database_.Connection().transaction())
    Fail(QStringLiteral("cannot begin a transaction"), database_.Connection().lastError());
}

Transaction::~Transaction() {
  if (open_) database_.Connection().rollback();
}

void Transaction::Commit() {
  open_ = false;
  if (!database_.Connection().commit())
    Fail(QStringLiteral("cannot commit"), database_.Connection().lastError());
}
