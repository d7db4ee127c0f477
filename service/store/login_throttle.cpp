#include "store/login_throttle.h"

#include <algorithm>

#include "store/database.h"

namespace {

// When the kLoginFailures-th newest failure of the window leaves it; 0 with fewer failures.
qint64 WaitFor(QSqlQuery rows, qint64 now) {
  int seen = 0;
  while (rows.next())
    if (++seen == kLoginFailures) return rows.value(0).toLongLong() + kLoginWindowSeconds - now;
  return 0;
}

}  // namespace

qint64 LoginThrottle::Wait(const QString& address, const QString& clientAddress, qint64 now) {
  const QVariant since = QVariant::fromValue<qint64>(now - kLoginWindowSeconds);
  const QVariant limit = kLoginFailures;
  const qint64 account =
      WaitFor(database_.Run(QStringLiteral("SELECT failed_at FROM login_failures WHERE address = ?"
                                           " AND failed_at > ? ORDER BY failed_at DESC LIMIT ?"),
                            {address, since, limit}),
              now);
  const qint64 client = WaitFor(
      database_.Run(QStringLiteral("SELECT failed_at FROM login_failures WHERE client_address = ?"
                                   " AND failed_at > ? ORDER BY failed_at DESC LIMIT ?"),
                    {clientAddress, since, limit}),
      now);
  return std::max<qint64>({account, client, 0});
}

void LoginThrottle::RecordFailure(const QString& address, const QString& clientAddress,
                                  qint64 now) {
  database_.Run(QStringLiteral("DELETE FROM login_failures WHERE failed_at <= ?"),
                {QVariant::fromValue<qint64>(now - kLoginWindowSeconds)});
  database_.Run(QStringLiteral("INSERT INTO login_failures (address, client_address, failed_at)"
                               " VALUES (?, ?, ?)"),
                {address, clientAddress, QVariant::fromValue<qint64>(now)});
}

void LoginThrottle::Forget(const QString& address) {
  database_.Run(QStringLiteral("DELETE FROM login_failures WHERE address = ?"), {address});
}
