#pragma once

#include <QString>
#include <optional>
#include <string>

class Database;

// How long a session of the album editor lasts from its login.
inline constexpr qint64 kSessionSeconds = 7 * 24 * 3600;

struct Session {
  qint64 accountId = 0;
  qint64 expiresAt = 0;
};

// Sessions of the album editor: a random token in the browser's cookie, its digest here.
class SessionStore {
 public:
  explicit SessionStore(Database& database) : database_(database) {}

  // A new session of the account; its token for the cookie. Sessions past their end go.
  std::string Open(qint64 accountId, qint64 now);
  // The session whose token this is, while it lasts.
  std::optional<Session> Find(const std::string& token, qint64 now);
  void Close(const std::string& token);
  // Ends every session of the account but the one of `keptToken`.
  void CloseOthers(qint64 accountId, const std::string& keptToken);

 private:
  Database& database_;
};
