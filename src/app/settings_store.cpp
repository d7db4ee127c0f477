#include "settings_store.h"

#include "protocol/cp932.h"

const QString CSettingsStore::kKeyPath = QStringLiteral("Software\\Varneth\\Quillora");
const QString CSettingsStore::kRequestPath = QStringLiteral("/cgi-bin/writefile.cgi");

namespace {

const QString kUserId = QStringLiteral("UserID");
const QString kPassword = QStringLiteral("Password");
const QString kServer = QStringLiteral("Server");
const QString kHomePage = QStringLiteral("HomePage");
const QString kFirst = QStringLiteral("First");

QString FitBuffer(const QString& text) {
  return CutToCp932Bytes(text, CSettingsStore::kBufferBytes - 1);
}

}  // namespace

bool OpenSettingsKey(RegistryAccess access, RegistryKey& key) {
  const QString& path = CSettingsStore::kKeyPath;
  if (key.Open(path, access)) return true;
  // A key that can be read but not written is used as it is: reads work, writes report failure.
  if (key.Open(path, RegistryAccess::Query)) return true;
  return key.Create(path);
}

bool CSettingsStore::OpenSettingsKey(RegistryAccess access) {
  return ::OpenSettingsKey(access, key_);
}

void CSettingsStore::CloseSettingsKey() { key_.Close(); }

void CSettingsStore::ClearBuffers() {
  userId_.clear();
  senderId_.clear();
  password_.clear();
  server_.clear();
  requestPath_.clear();
}

bool CSettingsStore::ReadInto(const QString& name, QString& buffer, std::size_t limit) {
  // A value whose code page 932 bytes and terminating zero exceed the buffer cannot be read.
  auto value = key_.QueryString(name);
  if (value && Cp932Length(*value) + 1 > limit) value.reset();
  buffer = value ? FitBuffer(*value) : QString();
  return value.has_value();
}

bool CSettingsStore::ReadUserId() {
  const bool ok = ReadInto(kUserId, userId_, kValueLimit);
  senderId_ = userId_;
  return ok;
}

bool CSettingsStore::ReadPassword() { return ReadInto(kPassword, password_, kValueLimit); }
bool CSettingsStore::ReadServer() { return ReadInto(kServer, server_, kValueLimit); }
bool CSettingsStore::WriteUserId() { return key_.SetString(kUserId, userId_); }
bool CSettingsStore::WritePassword() { return key_.SetString(kPassword, password_); }
bool CSettingsStore::WriteServer(const QString& server) {
  server_ = FitBuffer(server);
  return key_.SetString(kServer, server_);
}
bool CSettingsStore::ReadHomePage(QString& buffer) {
  return ReadInto(kHomePage, buffer, kValueLimit);
}
bool CSettingsStore::ReadFirstRunMark() const { return key_.HasValue(kFirst); }
bool CSettingsStore::WriteFirstRunMark() { return key_.SetDword(kFirst, 0); }

void CSettingsStore::RefreshSettings() {
  ReadServer();
  ReadUserId();
  ReadPassword();
  requestPath_ = kRequestPath;
}

bool CSettingsStore::ReadValue(const QString& name, QString& buffer, std::size_t limit) {
  return ReadInto(name, buffer, limit);
}

bool CSettingsStore::WriteValue(const QString& name, const QString& value) {
  return key_.SetString(name, value);
}

void CSettingsStore::SetUserId(const QString& text) { userId_ = FitBuffer(text); }
void CSettingsStore::SetPassword(const QString& text) { password_ = FitBuffer(text); }

CSettingsStore& Settings() {
  static CSettingsStore store;
  return store;
}
