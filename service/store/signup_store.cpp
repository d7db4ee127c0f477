#include "store/signup_store.h"

#include "store/database.h"
#include "store/token.h"

namespace {

int CountOf(QSqlQuery row) { return row.next() ? row.value(0).toInt() : 0; }

}  // namespace

int SignupStore::CountFromClient(const QString& clientAddress, qint64 since) {
  return CountOf(database_.Run(
      QStringLiteral("SELECT COUNT(*) FROM signups WHERE client_address = ? AND created_at > ?"),
      {clientAddress, QVariant::fromValue<qint64>(since)}));
}

int SignupStore::CountForAddress(const QString& address, qint64 since) {
  return CountOf(database_.Run(
      QStringLiteral("SELECT COUNT(*) FROM signups WHERE address = ? AND created_at > ?"),
      {address, QVariant::fromValue<qint64>(since)}));
}

std::string SignupStore::Add(const QString& address, const QString& passwordHash,
                             const QString& clientAddress, qint64 now) {
  database_.Run(QStringLiteral("DELETE FROM signups WHERE created_at < ?"),
                {QVariant::fromValue<qint64>(now - 2 * kSignupSeconds)});
  const std::string token = NewToken();
  database_.Run(
      QStringLiteral("INSERT INTO signups (token_hash, address, password_hash, client_address,"
                     " created_at) VALUES (?, ?, ?, ?, ?)"),
      {QString::fromStdString(TokenHash(token)), address, passwordHash, clientAddress,
       QVariant::fromValue<qint64>(now)});
  return token;
}

std::optional<PendingSignup> SignupStore::Take(const std::string& token, qint64 now) {
  if (!IsToken(token)) return std::nullopt;
  QSqlQuery row =
      database_.Run(QStringLiteral("UPDATE signups SET used = 1"
                                   " WHERE token_hash = ? AND used = 0 AND created_at > ?"
                                   " RETURNING address, password_hash"),
                    {QString::fromStdString(TokenHash(token)),
                     QVariant::fromValue<qint64>(now - kSignupSeconds)});
  if (!row.next()) return std::nullopt;
  return PendingSignup{row.value(0).toString(), row.value(1).toString()};
}
