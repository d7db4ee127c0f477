#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QSettings;

enum class RegistryAccess { Query, Full };

// One key of the per-user settings store. A key path such as "Software\Vendor\Product"
// names the INI file <config>/Vendor/Product.conf; its values keep the two value types
// (strings and 32-bit numbers) and the read-size limits callers rely on.
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

  bool IsOpen() const { return settings_ != nullptr; }
  bool IsWritable() const { return IsOpen() && writable_; }

  // The string value as stored; callers that read into a buffer of fixed size check its length
  // in their own encoding.
  std::optional<QString> QueryString(const QString& name) const;
  std::optional<std::uint32_t> QueryDword(const QString& name) const;
  bool HasValue(const QString& name) const;

  // Writes reach the file at once, through a temporary file and a rename, so a crash never
  // leaves a half-written store behind.
  bool SetString(const QString& name, const QString& value);
  bool SetDword(const QString& name, std::uint32_t value);

  // The file a key path maps to.
  static QString FileForKey(const QString& keyPath);

 private:
  bool Flush();

  std::unique_ptr<QSettings> settings_;
  bool writable_ = false;
};
