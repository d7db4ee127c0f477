#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

// The service's settings, read from an INI file (/etc/quillora/service.conf, or the file that
// QUILLORA_SERVICE_CONF names):
//
//   [database]  driver = sqlite | postgresql
//               path = <file>                                  (sqlite)
//               host, port, name, user, password               (postgresql)
//   [relay]     host, port, timeout_seconds                     (the MTA that takes the mail)
//   [limits]    mails_per_hour, recipients_per_day               (per account)
//   [accounts]  failure_delay_ms                                (the least time a 401 takes)
//               verified_cache_key, verified_cache_minutes      (see VerifiedCacheConfig)
//   [mail]      domain                                          (right of "@" in Message-IDs)
//               from                                            (sender of the service's own mail)
//   [web]       origin                                          (the pages' address in mails)
//   [signup]    per_client_per_hour                             (sign-ups from one address)

struct DatabaseConfig {
  enum class Driver { kSqlite, kPostgresql };
  Driver driver = Driver::kSqlite;
  QString path = QStringLiteral("/var/lib/quillora/quillora.db");
  QString host = QStringLiteral("127.0.0.1");
  int port = 5432;
  QString name = QStringLiteral("quillora");
  QString user = QStringLiteral("quillora");
  QString password;
};

struct RelayConfig {
  QString host = QStringLiteral("127.0.0.1");
  int port = 25;
  int timeoutSeconds = 30;
};

struct LimitsConfig {
  int mailsPerHour = 30;
  int recipientsPerDay = 200;
};

// A password verified against its Argon2id hash is remembered for a while as a keyed BLAKE2b
// digest, so that the next requests of the account (each of which carries the password) are
// checked in microseconds instead of the hash's 64 MiB and tens of milliseconds. The key (32
// bytes, 64 hex digits) lives only in the configuration, never in the database: a copy of the
// database alone gives digests nobody can test a password against. No key: no cache.
struct VerifiedCacheConfig {
  std::string key;  // the 32 bytes; empty: off
  int minutes = 15;
};

struct SignupConfig {
  int perClientPerHour = 5;
  int perAddressPerDay = 3;  // confirmation mails to one mailbox
};

struct ServiceConfig {
  DatabaseConfig database;
  RelayConfig relay;
  LimitsConfig limits;
  int failureDelayMs = 1000;
  VerifiedCacheConfig verifiedCache;
  QString mailDomain;  // empty: the host's name
  QString mailFrom;    // empty: no-reply@ the mail domain
  // "https://host[:port]", as the pages are reached from outside; empty: sign-up is closed,
  // since its mail could not name a link.
  QString webOrigin;
  SignupConfig signup;

  // QUILLORA_SERVICE_CONF when set, else /etc/quillora/service.conf.
  static QString DefaultPath();
  // Reads and checks the file. Nothing when it cannot be read or holds anything unknown or
  // out of range; *problems then lists each (with its line or key).
  static std::optional<ServiceConfig> Load(const QString& path, QStringList* problems);
};
