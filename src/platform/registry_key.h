#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "platform/ini_file.h"

enum class RegistryAccess { Query, Full };

// One key of the per-user settings store. A key path such as "Software\Vendor\Product"
// names the INI file <config>/Vendor/Product.conf (as QSettings reads and writes it); its
// values keep the two value types (strings and 32-bit numbers) and the read-size limits
// callers rely on.
class RegistryKey {
 public:
  RegistryKey();
  ~RegistryKey();
  RegistryKey(RegistryKey&&) noexcept;
  RegistryKey& operator=(RegistryKey&&) noexcept;

  // The folder the store lives in: $XDG_CONFIG_HOME, else ~/.config.
  static QString StoreFolder();

  // Opens an existing key. Query access needs a readable file, full access a writable one.
  bool Open(const QString& keyPath, RegistryAccess access);
  // Opens the key with full access, creating its file and folders when missing.
  bool Create(const QString& keyPath);
  void Close();

  bool IsOpen() const { return !file_.isEmpty(); }
  bool IsWritable() const { return IsOpen() && writable_; }

  // The string value as stored; callers that read into a buffer of fixed size check its length
  // in their own encoding.
  std::optional<QString> QueryString(const QString& name) const;
  std::optional<std::uint32_t> QueryDword(const QString& name) const;
  bool HasValue(const QString& name) const;

  // Writes reach the file at once, through a new file that replaces it whole (a crash or a full
  // disk never leaves a half-written store behind). The file is readable by its owner only, in
  // a folder of the owner's when the key made it. Reads see what the file holds now, changes
  // made by others included.
  bool SetString(const QString& name, const QString& value);
  bool SetDword(const QString& name, std::uint32_t value);

  // The file a key path maps to.
  static QString FileForKey(const QString& keyPath);

 public:
  // What tells that the file changed: its inode, size and modification time.
  struct FileStamp {
    unsigned long long inode = 0;
    long long size = -1;
    long long seconds = 0;
    long long nanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
  };

 private:
  bool Store(const QString& name, const QString& stored);
  // Reads the file again when it changed; false when it cannot be read.
  bool Refresh() const;
  const QVariant* Find(const QString& name) const;

  QString file_;  // empty while closed
  mutable IniValues values_;
  mutable FileStamp stamp_;
  bool writable_ = false;
};
