#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The service's settings, read from an INI file (/etc/quillora/service.conf, or the file that
// QUILLORA_SERVICE_CONF names):
//
//   [database]  driver = sqlite | postgresql
//               path = <file>                                  (sqlite)
//               host, port, name, user, password               (postgresql)
//   [relay]     host, port, timeout_seconds                     (the MTA that takes the mail)
//   [limits]    mails_per_hour, recipients_per_day               (per account)
//   [accounts]  failure_delay_ms                                (the least time a 401 takes)
//   [mail]      domain                                          (right of "@" in Message-IDs)

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

struct ServiceConfig {
  DatabaseConfig database;
  RelayConfig relay;
  LimitsConfig limits;
  int failureDelayMs = 1000;
  QString mailDomain;  // empty: the host's name

  // QUILLORA_SERVICE_CONF when set, else /etc/quillora/service.conf.
  static QString DefaultPath();
  // Reads and checks the file. Nothing when it cannot be read or holds anything unknown or
  // out of range; *problems then lists each (with its line or key).
  static std::optional<ServiceConfig> Load(const QString& path, QStringList* problems);
};
