#pragma once

#include <QString>
#include <optional>
#include <string>

class Database;

// How long a confirmation link stays good.
inline constexpr qint64 kSignupSeconds = 24 * 3600;

struct PendingSignup {
  QString address;
  QString passwordHash;
};

// Sign-ups waiting for their confirmation link. Every request stays recorded for a while, used
// or not, since the limits per client and per address count them.
class SignupStore {
 public:
  explicit SignupStore(Database& database) : database_(database) {}

  // Requests made since `since` from this client, and for this address.
  int CountFromClient(const QString& clientAddress, qint64 since);
  int CountForAddress(const QString& address, qint64 since);
  // Records a request; the token of its link. Records older than two days go.
  std::string Add(const QString& address, const QString& passwordHash, const QString& clientAddress,
                  qint64 now);
  // Uses up the link of `token` when it is unused and younger than kSignupSeconds; nothing
  // otherwise. One statement, so that a link followed twice at once is used once.
  std::optional<PendingSignup> Take(const std::string& token, qint64 now);

 private:
  Database& database_;
};
