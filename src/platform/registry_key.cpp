#include "registry_key.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>

#include "platform/errors.h"
#include "platform/ini_file.h"
#include "platform/local_file.h"
#include "platform/safe_copy.h"

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

constexpr mode_t kFileMode = 0600;
// Far above any settings file; a bigger one is not one.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
constexpr mode_t kFolderMode = 0700;

// A folder and those above it that are missing, made readable by their owner only.
bool MakePrivateFolder(const QString& folder) {
  if (QFileInfo(folder).isDir()) return true;
  const QString parent = QFileInfo(folder).absolutePath();
  if (parent != folder && !MakePrivateFolder(parent)) return false;
  return ::mkdir(QFile::encodeName(folder).constData(), kFolderMode) == 0 || errno == EEXIST;
}

RegistryKey::FileStamp StampOf(const QString& file) {
  struct stat info {};
  if (::stat(QFile::encodeName(file).constData(), &info) != 0) return {};
  return {info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
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
  file_ = file;
  stamp_ = {};
  if (!Refresh()) {
    file_.clear();
    return false;
  }
  writable_ = access == RegistryAccess::Full;
  return true;
}

bool RegistryKey::Create(const QString& keyPath) {
  Close();
  const QString file = FileForKey(keyPath);
  if (file.isEmpty() || !MakePrivateFolder(QFileInfo(file).absolutePath())) return false;
  if (!QFileInfo::exists(file) && !TryWriteFileReplacing(file, {}, kFileMode)) return false;
  return Open(keyPath, RegistryAccess::Full);
}

void RegistryKey::Close() {
  file_.clear();
  values_.clear();
  writable_ = false;
}

bool RegistryKey::Refresh() const {
  // Someone may have edited the file meanwhile (the user, another copy of the program).
  const FileStamp now = StampOf(file_);
  if (now == stamp_) return true;
  try {
    values_ = ParseIniText(ReadLocalFile(file_, kMaxFileBytes));
  } catch (const FileError&) {
    return false;  // the values read last stay
  }
  stamp_ = now;
  return true;
}

const QVariant* RegistryKey::Find(const QString& name) const {
  for (const auto& [key, value] : values_)
    if (key == name) return &value;
  return nullptr;
}

std::optional<QString> RegistryKey::QueryString(const QString& name) const {
  if (!IsOpen()) return std::nullopt;
  Refresh();
  const QVariant* stored = Find(name);
  if (!stored || !stored->isValid()) return std::nullopt;
  const QString text = stored->toString();
  if (IsDword(text)) return std::nullopt;
  return DecodeString(text);
}

std::optional<std::uint32_t> RegistryKey::QueryDword(const QString& name) const {
  if (!IsOpen()) return std::nullopt;
  Refresh();
  const QVariant* stored = Find(name);
  const QString text = stored ? stored->toString() : QString();
  if (!IsDword(text)) return std::nullopt;
  bool ok = false;
  const std::uint32_t value = text.mid(kDwordPrefix.size()).toUInt(&ok, 16);
  if (!ok) return std::nullopt;
  return value;
}

bool RegistryKey::HasValue(const QString& name) const {
  if (!IsOpen()) return false;
  Refresh();
  return Find(name) != nullptr;
}

bool RegistryKey::SetString(const QString& name, const QString& value) {
  return Store(name, EncodeString(value));
}

bool RegistryKey::SetDword(const QString& name, std::uint32_t value) {
  return Store(name, kDwordPrefix + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')));
}

bool RegistryKey::Store(const QString& name, const QString& stored) {
  if (!IsWritable()) return false;
  Refresh();
  // The whole file is written anew with the one value changed, and only readable by its owner:
  // it holds the password.
  IniValues values = values_;
  const auto old = std::ranges::find(values, name, &IniValues::value_type::first);
  if (old != values.end())
    old->second = stored;
  else
    values.emplace_back(name, stored);
  if (!TryWriteFileReplacing(file_, IniFileText(values), kFileMode)) return false;
  Refresh();
  return true;
}
