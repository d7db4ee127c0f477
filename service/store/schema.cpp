#include "store/schema.h"

#include <QStringList>
#include <functional>
#include <vector>

#include "store/database.h"
#include "store/token.h"

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

// What a step does once its statements have run, for values SQL cannot make.
using StepWork = std::function<void(Database&)>;

struct Step {
  QStringList statements;
  StepWork work = {};
};

// Pictures kept before they had public names get random ones.
void NamePictures(Database& database) {
  QSqlQuery rows = database.Run(QStringLiteral("SELECT id FROM pictures WHERE public_id IS NULL"));
  std::vector<qint64> ids;
  while (rows.next()) ids.push_back(rows.value(0).toLongLong());
  rows.finish();
  for (const qint64 id : ids)
    database.Run(QStringLiteral("UPDATE pictures SET public_id = ? WHERE id = ?"),
                 {QString::fromStdString(NewPictureId()), QVariant::fromValue<qint64>(id)});
}

// Step n takes the schema from version n - 1 to n. Later versions append steps; a step is
// never changed once released.
std::vector<Step> Steps(const ColumnTypes& types) {
  return {
      // 1: accounts and the pictures they sent.
      {{
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
      }},
      // 2: the album pages: public or private albums, pictures by public name and size, sessions
      // of the album editor, sign-ups waiting for their confirmation, failed logins.
      {{
           QStringLiteral(
               "ALTER TABLE accounts ADD COLUMN album_public INTEGER NOT NULL DEFAULT 1"),
           QStringLiteral("ALTER TABLE pictures ADD COLUMN public_id TEXT"),
           QStringLiteral("ALTER TABLE pictures ADD COLUMN width INTEGER NOT NULL DEFAULT 0"),
           QStringLiteral("ALTER TABLE pictures ADD COLUMN height INTEGER NOT NULL DEFAULT 0"),
           QStringLiteral("CREATE UNIQUE INDEX pictures_by_public_id ON pictures (public_id)"),
           QStringLiteral("CREATE TABLE sessions ("
                          " id %1,"
                          " token_hash TEXT NOT NULL UNIQUE,"
                          " account_id BIGINT NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
                          " created_at BIGINT NOT NULL,"
                          " expires_at BIGINT NOT NULL)")
               .arg(types.key),
           QStringLiteral("CREATE INDEX sessions_by_account ON sessions (account_id)"),
           QStringLiteral("CREATE TABLE signups ("
                          " id %1,"
                          " token_hash TEXT NOT NULL UNIQUE,"
                          " address TEXT NOT NULL,"
                          " password_hash TEXT NOT NULL,"
                          " client_address TEXT NOT NULL,"
                          " created_at BIGINT NOT NULL,"
                          " used INTEGER NOT NULL DEFAULT 0)")
               .arg(types.key),
           QStringLiteral("CREATE INDEX signups_by_client ON signups (client_address, created_at)"),
           QStringLiteral("CREATE INDEX signups_by_address ON signups (address, created_at)"),
           QStringLiteral("CREATE TABLE login_failures ("
                          " id %1,"
                          " address TEXT NOT NULL,"
                          " client_address TEXT NOT NULL,"
                          " failed_at BIGINT NOT NULL)")
               .arg(types.key),
           QStringLiteral(
               "CREATE INDEX login_failures_by_address ON login_failures (address, failed_at)"),
           QStringLiteral("CREATE INDEX login_failures_by_client"
                          " ON login_failures (client_address, failed_at)"),
       },
       NamePictures},
      // 3: passwords verified lately, as keyed digests.
      {{
          QStringLiteral("CREATE TABLE verified_passwords ("
                         " account_id BIGINT PRIMARY KEY REFERENCES accounts(id) ON DELETE CASCADE,"
                         " digest TEXT NOT NULL,"
                         " expires_at BIGINT NOT NULL)"),
      }},
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
  const std::vector<Step> steps = Steps(TypesOf(database.SqlDialect()));
  for (; version < kSchemaVersion; ++version) {
    const Step& step = steps[static_cast<std::size_t>(version)];
    for (const QString& statement : step.statements) database.Run(statement);
    if (step.work) step.work(database);
  }
  database.Run(QStringLiteral("UPDATE schema_version SET version = ? WHERE id = 1"), {version});
  transaction.Commit();
  return version;
}
