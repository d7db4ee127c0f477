#pragma once

#include <QString>

#include "platform/registry_key.h"

// Opens the program's settings key with the given access; when that fails, creates it.
// A key that exists and can only be read is opened for reading.
bool OpenSettingsKey(RegistryAccess access, RegistryKey& key);

// The user's settings: one open settings key for the whole run and the account values read
// from it. With no open key every read fails (leaving its value empty) and every write does
// nothing.
class CSettingsStore {
 public:
  // Texts are held as in a 1024-byte buffer: at most 1023 code page 932 bytes.
  static constexpr std::size_t kBufferBytes = 1024;
  // Values are read with the size limit of a path buffer.
  static constexpr std::size_t kValueLimit = 260;
  static const QString kKeyPath;
  static const QString kRequestPath;

  bool OpenSettingsKey(RegistryAccess access);
  void CloseSettingsKey();
  bool IsKeyOpen() const { return key_.IsOpen(); }

  // Empties every held value.
  void ClearBuffers();

  bool ReadUserId();  // also takes the sender copy; a failed read empties both
  bool ReadPassword();
  bool ReadServer();
  bool WriteUserId();
  bool WritePassword();
  // Sets the server and writes it (the user settings window).
  bool WriteServer(const QString& server);
  bool ReadHomePage(QString& buffer);
  bool ReadFirstRunMark() const;
  bool WriteFirstRunMark();
  // Re-reads the server, the user ID with its sender copy and the password, and sets the
  // request path of uploads.
  void RefreshSettings();

  // Any other string value of the key (window state and the like).
  bool ReadValue(const QString& name, QString& buffer, std::size_t limit = kValueLimit);
  bool WriteValue(const QString& name, const QString& value);

  const QString& UserId() const { return userId_; }
  const QString& SenderId() const { return senderId_; }
  const QString& Password() const { return password_; }
  const QString& Server() const { return server_; }
  const QString& RequestPath() const { return requestPath_; }
  void SetUserId(const QString& text);
  void SetPassword(const QString& text);

 private:
  bool ReadInto(const QString& name, QString& buffer, std::size_t limit);

  RegistryKey key_;
  QString userId_;
  QString senderId_;
  QString password_;
  QString server_;
  QString requestPath_;
};

// The program's settings store.
CSettingsStore& Settings();
