#include "registry_key.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Numbers are stored as "dword:XXXXXXXX" so they stay distinguishable from strings; a string
// that would look like that (or starts with the escape itself) is written behind a backslash.
const QString kDwordPrefix = QStringLiteral("dword:");
const QChar kEscape = QLatin1Char('\\');

QString EncodeString(const QString& value) {
  if (value.startsWith(kDwordPrefix) || value.startsWith(kEscape)) return kEscape + value;
  return value;
}

bool IsDword(const QString& stored) { return stored.startsWith(kDwordPrefix); }

QString DecodeString(const QString& stored) {
  return stored.startsWith(kEscape) ? stored.mid(1) : stored;
}

QStringList KeyParts(const QString& keyPath) {
  QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  if (!parts.isEmpty() &&
      parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
    parts.removeFirst();
  return parts;
}

}  // namespace

RegistryKey::RegistryKey() = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&&) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&&) noexcept = default;

QString RegistryKey::StoreFolder() {
  QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
  return folder;
}

QString RegistryKey::FileForKey(const QString& keyPath) {
  const QStringList parts = KeyParts(keyPath);
  if (parts.isEmpty()) return {};
  return StoreFolder() + QLatin1Char('/') + parts.join(QLatin1Char('/')) + QStringLiteral(".conf");
}

bool RegistryKey::Open(const QString& keyPath, RegistryAccess access) {
  Close();
  const QString file = FileForKey(keyPath);
  const QFileInfo info(file);
  if (file.isEmpty() || !info.isFile() || !info.isReadable()) return false;
  const bool writable = info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
  if (access == RegistryAccess::Full && !writable) return false;
  settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
  settings_->setAtomicSyncRequired(true);
  if (settings_->status() != QSettings::NoError) {
    settings_.reset();
    return false;
  }
  writable_ = access == RegistryAccess::Full;
  return true;
}

bool RegistryKey::Create(const QString& keyPath) {
  Close();
  const QString file = FileForKey(keyPath);
  if (file.isEmpty()) return false;
  const QFileInfo info(file);
  if (!QDir().mkpath(info.absolutePath())) return false;
  if (!info.exists()) {
    QFile created(file);
    if (!created.open(QIODevice::WriteOnly)) return false;
  }
  return Open(keyPath, RegistryAccess::Full);
}

void RegistryKey::Close() {
  settings_.reset();
  writable_ = false;
}

std::optional<QString> RegistryKey::QueryString(const QString& name) const {
  if (!IsOpen()) return std::nullopt;
  const QVariant stored = settings_->value(name);
  if (!stored.isValid()) return std::nullopt;
  const QString text = stored.toString();
  if (IsDword(text)) return std::nullopt;
  return DecodeString(text);
}

std::optional<std::uint32_t> RegistryKey::QueryDword(const QString& name) const {
  if (!IsOpen()) return std::nullopt;
  const QString text = settings_->value(name).toString();
  if (!IsDword(text)) return std::nullopt;
  bool ok = false;
  const std::uint32_t value = text.mid(kDwordPrefix.size()).toUInt(&ok, 16);
  if (!ok) return std::nullopt;
  return value;
}

bool RegistryKey::HasValue(const QString& name) const {
  return IsOpen() && settings_->contains(name);
}

bool RegistryKey::SetString(const QString& name, const QString& value) {
  if (!IsWritable()) return false;
  settings_->setValue(name, EncodeString(value));
  return Flush();
}

bool RegistryKey::SetDword(const QString& name, std::uint32_t value) {
  if (!IsWritable()) return false;
  settings_->setValue(name,
                      kDwordPrefix + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')));
  return Flush();
}

bool RegistryKey::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}
