#include "store/schema.h"

#include <QStringList>
#include <functional>
#include <vector>

#include "store/database.h"

namespace {

// Column types that differ between the two databases; everything else is written once.
struct ColumnTypes {
  QString key;
  QString bytes;
};

ColumnTypes TypesOf(Database::Dialect dialect) {
  if (dialect == Database::Dialect::kSqlite)
    return {QStringLiteral("INTEGER PRIMARY KEY"), QStringLiteral("BLOB")};
  return {QStringLiteral("BIGSERIAL PRIMARY KEY"), QStringLiteral("BYTEA")};
}

// Step n takes the schema from version n - 1 to n. Later versions append steps; a step is
// never changed once released.
std::vector<QStringList> Steps(const ColumnTypes& types) {
  return {
      // 1: accounts and the pictures they sent.
      {
          QStringLiteral("CREATE TABLE accounts ("
                         " id %1,"
                         " address TEXT NOT NULL UNIQUE,"
                         " password_hash TEXT NOT NULL,"
                         " album_number BIGINT NOT NULL UNIQUE,"
                         " created_at BIGINT NOT NULL,"
                         " last_request_at BIGINT NOT NULL DEFAULT 0)")
              .arg(types.key),
          QStringLiteral("CREATE TABLE pictures ("
                         " id %1,"
                         " account_id BIGINT NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
                         " sent_at BIGINT NOT NULL,"
                         " subject TEXT NOT NULL,"
                         " recipient_count INTEGER NOT NULL,"
                         " content_type TEXT NOT NULL,"
                         " data %2 NOT NULL,"
                         " delivered INTEGER NOT NULL DEFAULT 0)")
              .arg(types.key, types.bytes),
          QStringLiteral("CREATE INDEX pictures_by_account ON pictures (account_id, sent_at)"),
      },
      // 2: passwords verified lately, as keyed digests.
      {
          QStringLiteral("CREATE TABLE verified_passwords ("
                         " account_id BIGINT PRIMARY KEY REFERENCES accounts(id) ON DELETE CASCADE,"
                         " digest TEXT NOT NULL,"
                         " expires_at BIGINT NOT NULL)"),
      },
  };
}

void CreateVersionTable(Database& database) {
  database.Run(
      QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version ("
                     " id INTEGER PRIMARY KEY, version INTEGER NOT NULL)"));
  database.Run(QStringLiteral(
      "INSERT INTO schema_version (id, version) VALUES (1, 0) ON CONFLICT DO NOTHING"));
}

}  // namespace

int StoredSchemaVersion(Database& database) {
  try {
    QSqlQuery query =
        database.Run(QStringLiteral("SELECT version FROM schema_version WHERE id = 1"));
    return query.next() ? query.value(0).toInt() : 0;
  } catch (const DatabaseError&) {
    return 0;  // no version table yet
  }
}

int MigrateSchema(Database& database) {
  if (StoredSchemaVersion(database) == kSchemaVersion) return kSchemaVersion;
  try {
    CreateVersionTable(database);
  } catch (const DatabaseError&) {
    // Another process created it at the same moment (PostgreSQL reports that as an error).
    CreateVersionTable(database);
  }
  Transaction transaction(database);
  // Writing the row first takes the write lock (SQLite) or the row's lock (PostgreSQL), so the
  // version read below stays true until the commit.
  database.Run(QStringLiteral("UPDATE schema_version SET version = version WHERE id = 1"));
  QSqlQuery query = database.Run(QStringLiteral("SELECT version FROM schema_version WHERE id = 1"));
  int version = query.next() ? query.value(0).toInt() : 0;
  if (version > kSchemaVersion)
    throw DatabaseError(QStringLiteral("the database has schema version %1; this service knows %2")
                            .arg(version)
                            .arg(kSchemaVersion)
                            .toStdString());
  const std::vector<QStringList> steps = Steps(TypesOf(database.SqlDialect()));
  for (; version < kSchemaVersion; ++version)
    for (const QString& statement : steps[static_cast<std::size_t>(version)])
      database.Run(statement);
  database.Run(QStringLiteral("UPDATE schema_version SET version = ? WHERE id = 1"), {version});
  transaction.Commit();
  return version;
}
