#include "config/service_config.h"

#include <QRegularExpression>
#include <QSysInfo>
#include <functional>
#include <map>

#include "config/ini_file.h"

namespace {

// Reads one integer setting within [low, high].
std::function<bool(const QString&)> Integer(int& target, int low, int high) {
  return [&target, low, high](const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) return false;
    target = value;
    return true;
  };
}

std::function<bool(const QString&)> Text(QString& target) {
  return [&target](const QString& text) {
    target = text;
    return true;
  };
}

// A host name as Message-IDs carry it.
bool IsDomain(const QString& text) {
  static const QRegularExpression domain(
      QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9.-]{0,251}[A-Za-z0-9])?$"));
  return domain.match(text).hasMatch();
}

// A plain address for the From of the service's own mail: atom characters, "@", a host name.
bool IsSenderAddress(const QString& text) {
  static const QRegularExpression address(
      QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+(\\.[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+)*"
                     "@[A-Za-z0-9]([A-Za-z0-9.-]{0,251}[A-Za-z0-9])?$"));
  return text.size() <= 254 && address.match(text).hasMatch();
}

// "http" or "https", "://", a host name or IPv4 address, an optional port; no path.
bool IsOrigin(const QString& text) {
  static const QRegularExpression origin(
      QStringLiteral("^https?://[A-Za-z0-9]([A-Za-z0-9.-]{0,251}[A-Za-z0-9])?(:[0-9]{1,5})?$"));
  return origin.match(text).hasMatch();
}

std::function<bool(const QString&)> NonEmptyText(QString& target) {
  return [&target](const QString& text) {
    if (text.isEmpty()) return false;
    target = text;
    return true;
  };
}

}  // namespace

QString ServiceConfig::DefaultPath() {
  const QString named = qEnvironmentVariable("QUILLORA_SERVICE_CONF");
  return named.isEmpty() ? QStringLiteral("/etc/quillora/service.conf") : named;
}

std::optional<ServiceConfig> ServiceConfig::Load(const QString& path, QStringList* problems) {
  QString error;
  const std::optional<IniFile> ini = IniFile::Read(path, &error);
  if (!ini) {
    *problems = {error};
    return std::nullopt;
  }
  *problems = ini->Problems();

  ServiceConfig config;
  DatabaseConfig& db = config.database;
  auto driver = [&db](const QString& text) {
    if (text == QLatin1String("sqlite")) {
      db.driver = DatabaseConfig::Driver::kSqlite;
    } else if (text == QLatin1String("postgresql")) {
      db.driver = DatabaseConfig::Driver::kPostgresql;
    } else {
      return false;
    }
    return true;
  };
  const std::map<QString, std::function<bool(const QString&)>> settings = {
      {"database/driver", driver},
      {"database/path", NonEmptyText(db.path)},
      {"database/host", NonEmptyText(db.host)},
      {"database/port", Integer(db.port, 1, 65535)},
      {"database/name", NonEmptyText(db.name)},
      {"database/user", NonEmptyText(db.user)},
      {"database/password", Text(db.password)},
      {"relay/host", NonEmptyText(config.relay.host)},
      {"relay/port", Integer(config.relay.port, 1, 65535)},
      {"relay/timeout_seconds", Integer(config.relay.timeoutSeconds, 1, 600)},
      {"limits/mails_per_hour", Integer(config.limits.mailsPerHour, 0, 1000000)},
      {"limits/recipients_per_day", Integer(config.limits.recipientsPerDay, 0, 10000000)},
      {"accounts/failure_delay_ms", Integer(config.failureDelayMs, 0, 60000)},
      {"accounts/verified_cache_key",
       [&config](const QString& text) {
         // Empty, as the shipped file shows it: no cache.
         if (text.isEmpty()) {
           config.verifiedCache.key.clear();
           return true;
         }
         const QByteArray key = QByteArray::fromHex(text.toLatin1());
         static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
         if (!hex.match(text).hasMatch()) return false;
         config.verifiedCache.key = key.toStdString();
         return true;
       }},
      {"accounts/verified_cache_minutes", Integer(config.verifiedCache.minutes, 1, 1440)},
      {"signup/per_client_per_hour", Integer(config.signup.perClientPerHour, 0, 1000)},
      {"mail/from",
       [&config](const QString& text) {
         if (!IsSenderAddress(text)) return false;
         config.mailFrom = text;
         return true;
       }},
      {"web/origin",
       [&config](const QString& text) {
         if (!IsOrigin(text)) return false;
         config.webOrigin = text;
         return true;
       }},
      {"mail/domain",
       [&config](const QString& text) {
         if (!IsDomain(text)) return false;
         config.mailDomain = text;
         return true;
       }},
  };
  for (const auto& [key, value] : ini->Values()) {
    const auto setting = settings.find(key);
    if (setting == settings.end())
      *problems << QStringLiteral("%1: unknown setting").arg(key);
    else if (!setting->second(value))
      *problems << QStringLiteral("%1: \"%2\" is not a valid value").arg(key, value);
  }
  if (config.mailDomain.isEmpty()) config.mailDomain = QSysInfo::machineHostName();
  if (!IsDomain(config.mailDomain)) config.mailDomain = QStringLiteral("localhost");
  if (config.mailFrom.isEmpty()) config.mailFrom = QStringLiteral("no-reply@") + config.mailDomain;
  if (!problems->isEmpty()) return std::nullopt;
  return config;
}
