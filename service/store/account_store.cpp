#include "store/account_store.h"

#include <sodium.h>

#include <string>

#include "store/database.h"
#include "store/password_hash.h"

namespace {

constexpr std::uint32_t kLowestAlbum = 100000;      // 6 digits
constexpr std::uint32_t kHighestAlbum = 999999999;  // 9 digits

qint64 RandomAlbumNumber() {
  return kLowestAlbum + randombytes_uniform(kHighestAlbum - kLowestAlbum + 1);
}

Account AccountOf(const QSqlQuery& row) {
  return {row.value(0).toLongLong(), row.value(1).toString(), row.value(2).toLongLong(),
          row.value(3).toLongLong(), row.value(4).toInt() != 0};
}

const QString kColumns = QStringLiteral("id, address, album_number, created_at, album_public");

}  // namespace

std::optional<Account> AccountStore::Authenticate(const QString& address, std::string_view password,
                                                  const VerifiedCacheConfig& cache, qint64 now) {
  QSqlQuery row =
      database_.Run(QStringLiteral("SELECT %1, password_hash, v.digest, v.expires_at FROM accounts"
                                   " LEFT JOIN verified_passwords v ON v.account_id = accounts.id"
                                   " WHERE address = ?")
                        .arg(kColumns),
                    {address});
  if (!row.next()) {
    SpendPasswordCheck(password);
    return std::nullopt;
  }
  const Account account = AccountOf(row);
  const std::string hash = row.value(5).toString().toStdString();
  const bool caching = !cache.key.empty();
  const std::string digest =
      caching ? VerifiedDigest(cache.key, account.id, hash, password) : std::string();
  if (caching && !row.value(6).isNull() && row.value(7).toLongLong() > now &&
      SameDigest(row.value(6).toString().toStdString(), digest))
    return account;
  row.finish();
  if (!VerifyPassword(hash, password)) return std::nullopt;
  if (caching)
    database_.Run(QStringLiteral("INSERT INTO verified_passwords (account_id, digest, expires_at)"
                                 " VALUES (?, ?, ?) ON CONFLICT (account_id) DO UPDATE SET"
                                 " digest = excluded.digest, expires_at = excluded.expires_at"),
                  {account.id, QString::fromStdString(digest),
                   QVariant::fromValue<qint64>(now + qint64{cache.minutes} * 60)});
  return account;
}

std::optional<Account> AccountStore::Add(const QString& address, std::string_view password,
                                         qint64 now) {
  // Hashing first also starts libsodium for the album number's draw.
  return AddHashed(address, QString::fromStdString(HashPassword(password)), now);
}

std::optional<Account> AccountStore::AddHashed(const QString& address, const QString& hash,
                                               qint64 now) {
  if (sodium_init() < 0) throw DatabaseError("libsodium cannot start");
  Transaction transaction(database_);
  if (Exists(address)) return std::nullopt;
  qint64 album = RandomAlbumNumber();
  // Album numbers are unique; with at most a few million accounts a draw rarely repeats.
  while (database_.Run(QStringLiteral("SELECT 1 FROM accounts WHERE album_number = ?"), {album})
             .next())
    album = RandomAlbumNumber();
  QSqlQuery inserted = database_.Run(
      QStringLiteral("INSERT INTO accounts (address, password_hash, album_number, created_at)"
                     " VALUES (?, ?, ?, ?) RETURNING id"),
      {address, hash, QVariant::fromValue<qint64>(album), QVariant::fromValue<qint64>(now)});
  if (!inserted.next()) throw DatabaseError("the new account has no id");
  const Account account{inserted.value(0).toLongLong(), address, album, now, true};
  inserted.finish();
  transaction.Commit();
  return account;
}

std::optional<Account> AccountStore::ById(qint64 id) {
  QSqlQuery row =
      database_.Run(QStringLiteral("SELECT %1 FROM accounts WHERE id = ?").arg(kColumns),
                    {QVariant::fromValue<qint64>(id)});
  if (!row.next()) return std::nullopt;
  return AccountOf(row);
}

std::optional<Account> AccountStore::ByAlbumNumber(qint64 albumNumber) {
  QSqlQuery row =
      database_.Run(QStringLiteral("SELECT %1 FROM accounts WHERE album_number = ?").arg(kColumns),
                    {QVariant::fromValue<qint64>(albumNumber)});
  if (!row.next()) return std::nullopt;
  return AccountOf(row);
}

bool AccountStore::Exists(const QString& address) {
  return database_.Run(QStringLiteral("SELECT 1 FROM accounts WHERE address = ?"), {address})
      .next();
}

void AccountStore::SetAlbumPublic(qint64 id, bool albumPublic) {
  database_.Run(QStringLiteral("UPDATE accounts SET album_public = ? WHERE id = ?"),
                {albumPublic ? 1 : 0, QVariant::fromValue<qint64>(id)});
}

bool AccountStore::SetPassword(const QString& address, std::string_view password) {
  const QString hash = QString::fromStdString(HashPassword(password));
  return database_
             .Run(QStringLiteral("UPDATE accounts SET password_hash = ? WHERE address = ?"),
                  {hash, address})
             .numRowsAffected() > 0;
}

bool AccountStore::Remove(const QString& address) {
  Transaction transaction(database_);
  database_.Run(QStringLiteral("DELETE FROM pictures WHERE account_id IN"
                               " (SELECT id FROM accounts WHERE address = ?)"),
                {address});
  const bool removed =
      database_.Run(QStringLiteral("DELETE FROM accounts WHERE address = ?"), {address})
          .numRowsAffected() > 0;
  transaction.Commit();
  return removed;
}

std::vector<AccountSummary> AccountStore::List() {
  QSqlQuery rows = database_.Run(QStringLiteral(
      "SELECT a.id, a.address, a.album_number, a.created_at, a.album_public,"
      " (SELECT COUNT(*) FROM pictures p WHERE p.account_id = a.id AND p.delivered = 1)"
      " FROM accounts a ORDER BY a.address"));
  std::vector<AccountSummary> accounts;
  while (rows.next()) accounts.push_back({AccountOf(rows), rows.value(5).toLongLong()});
  return accounts;
}
