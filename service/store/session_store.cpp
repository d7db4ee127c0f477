#include "store/session_store.h"

#include "store/database.h"
#include "store/token.h"

namespace {

QVariant Hashed(const std::string& token) { return QString::fromStdString(TokenHash(token)); }

}  // namespace

std::string SessionStore::Open(qint64 accountId, qint64 now) {
  const std::string token = NewToken();
  database_.Run(QStringLiteral("DELETE FROM sessions WHERE expires_at <= ?"),
                {QVariant::fromValue<qint64>(now)});
  database_.Run(
      QStringLiteral("INSERT INTO sessions (token_hash, account_id, created_at, expires_at)"
                     " VALUES (?, ?, ?, ?)"),
      {Hashed(token), QVariant::fromValue<qint64>(accountId), QVariant::fromValue<qint64>(now),
       QVariant::fromValue<qint64>(now + kSessionSeconds)});
  return token;
}

std::optional<Session> SessionStore::Find(const std::string& token, qint64 now) {
  if (!IsToken(token)) return std::nullopt;
  QSqlQuery row = database_.Run(QStringLiteral("SELECT account_id, expires_at FROM sessions"
                                               " WHERE token_hash = ? AND expires_at > ?"),
                                {Hashed(token), QVariant::fromValue<qint64>(now)});
  if (!row.next()) return std::nullopt;
  return Session{row.value(0).toLongLong(), row.value(1).toLongLong()};
}

void SessionStore::Close(const std::string& token) {
  database_.Run(QStringLiteral("DELETE FROM sessions WHERE token_hash = ?"), {Hashed(token)});
}

void SessionStore::CloseOthers(qint64 accountId, const std::string& keptToken) {
  database_.Run(QStringLiteral("DELETE FROM sessions WHERE account_id = ? AND token_hash <> ?"),
                {QVariant::fromValue<qint64>(accountId), Hashed(keptToken)});
}
