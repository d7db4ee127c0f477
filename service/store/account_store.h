#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "config/service_config.h"

class Database;

struct Account {
  qint64 id = 0;
  QString address;  // the user ID: a mailbox, its domain in lower case
  qint64 albumNumber = 0;
  qint64 createdAt = 0;  // seconds since 1970
  bool albumPublic = true;
};

struct AccountSummary {
  Account account;
  qint64 pictures = 0;  // delivered
};

// The service's accounts. Addresses are taken as given: callers check and canonicalise them.
class AccountStore {
 public:
  explicit AccountStore(Database& database) : database_(database) {}

  // The account whose address and password match; nothing otherwise, after the same work
  // whether the address is unknown or the password wrong. With a cache key, a password that
  // matched within `cache.minutes` is taken on its remembered digest; a wrong one still costs
  // the full check.
  std::optional<Account> Authenticate(const QString& address, std::string_view password,
                                      const VerifiedCacheConfig& cache = {}, qint64 now = 0);

  // A new account with a random album number of 6 to 9 digits; nothing when the address is
  // taken.
  std::optional<Account> Add(const QString& address, std::string_view password, qint64 now);
  // The same with a password hashed before (a confirmed sign-up).
  std::optional<Account> AddHashed(const QString& address, const QString& passwordHash, qint64 now);
  std::optional<Account> ById(qint64 id);
  std::optional<Account> ByAlbumNumber(qint64 albumNumber);
  bool Exists(const QString& address);
  void SetAlbumPublic(qint64 id, bool albumPublic);
  // False when there is no such account.
  bool SetPassword(const QString& address, std::string_view password);
  // Removes the account with its pictures; false when there is no such account.
  bool Remove(const QString& address);
  std::vector<AccountSummary> List();

 private:
  Database& database_;
};
