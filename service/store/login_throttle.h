#pragma once

#include <QString>

class Database;

// Wrong passwords at the album editor's login: after kLoginFailures of them within
// kLoginWindowSeconds, for one account or from one client address, logins wait.
inline constexpr int kLoginFailures = 5;
inline constexpr qint64 kLoginWindowSeconds = 15 * 60;

class LoginThrottle {
 public:
  explicit LoginThrottle(Database& database) : database_(database) {}

  // Seconds until a login for `address` from `clientAddress` may be tried again; 0 when now.
  qint64 Wait(const QString& address, const QString& clientAddress, qint64 now);
  void RecordFailure(const QString& address, const QString& clientAddress, qint64 now);
  // A right password: the account's count starts again.
  void Forget(const QString& address);

 private:
  Database& database_;
};
