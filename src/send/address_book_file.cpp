#include "address_book_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/local_file.h"
#include "platform/program_folder.h"
#include "platform/safe_copy.h"
#include "protocol/cp932.h"

namespace {

using namespace addressbook;

constexpr char kMagic[4] = {'D', 'A', 'B', '\0'};
constexpr char kVersion[2] = {'A', '\0'};
// Far above any real list (some 130 000 recipients).
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// A field's text ends at its first zero byte, or fills the field.
std::string_view FieldBytes(std::string_view field) {
  return field.substr(0, strnlen(field.data(), field.size()));
}

QString DecodeField(std::string_view field) { return FromCp932(FieldBytes(field)); }

// Fills a zeroed field: with the stored bytes when the text is the one they gave, else with the
// text cut at kTextLimit bytes.
void EncodeField(const QString& text, std::string_view stored, int row, char* field) {
  if (!stored.empty() && DecodeField(stored) == text) {
    std::memcpy(field, stored.data(), stored.size());
    return;
  }
  QString unwritable;
  const std::optional<std::string> bytes = ToCp932Within(text, kTextLimit, &unwritable);
  if (!bytes) throw UnstorableTextError(row, unwritable);
  std::memcpy(field, bytes->data(), bytes->size());
}

QString Damaged(const QString& reason) {
  return QStringLiteral("アドレス帳のファイルが壊れています（%1）").arg(reason);
}

bool SameBytes(const QString& a, const QString& b) {
  try {
    return ReadLocalFile(a, kMaxFileBytes) == ReadLocalFile(b, kMaxFileBytes);
  } catch (const FileError&) {
    return false;
  }
}

}  // namespace

QString AddressBookPath() {
  if (ProgramFolderWritable()) return ProgramFolder() + QStringLiteral("/test.dat");
  return UserDataFolder() + QStringLiteral("/test.dat");
}

AddressBook ReadAddressBook(const QString& path) {
  QByteArray bytes;
  try {
    bytes = ReadLocalFile(path, kMaxFileBytes);
  } catch (const FileError& error) {
    if (error.Code() == ENOENT) return {};
    return {{}, error.Description()};
  }
  if (bytes.isEmpty()) return {};
  if (bytes.size() < kHeaderBytes || std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0)
    return {{}, Damaged(QStringLiteral("アドレス帳の形式ではありません"))};
  const auto count = qFromLittleEndian<std::int32_t>(bytes.constData() + 6);
  if (count < 0) return {{}, Damaged(QStringLiteral("件数が負です"))};

  AddressBook book;
  const std::string_view records(bytes.constData() + kHeaderBytes,
                                 static_cast<std::size_t>(bytes.size() - kHeaderBytes));
  // A damaged count must not make the list larger than the file.
  const std::size_t present = (records.size() + kRecordBytes - 1) / kRecordBytes;
  const std::size_t rows = std::min<std::size_t>(static_cast<std::size_t>(count), present);
  book.entries.reserve(rows);
  for (std::size_t row = 0; row < rows; ++row) {
    std::string record(records.substr(row * kRecordBytes, kRecordBytes));
    record.resize(kRecordBytes, '\0');  // a record cut short reads as far as it goes
    const std::string_view view(record);
    book.entries.push_back({DecodeField(view.substr(0, kFieldBytes)),
                            DecodeField(view.substr(kFieldBytes)), std::move(record)});
  }
  if (records.size() != static_cast<std::size_t>(count) * kRecordBytes)
    book.problem = Damaged(QStringLiteral("件数とファイルの大きさが合いません"));
  return book;
}

UnstorableTextError::UnstorableTextError(int row, const QString& character)
    : ReportedError(QStringLiteral("%1行目の「%2」は保存できません").arg(row).arg(character)),
      row_(row) {}

std::string EncodeAddressBook(const std::vector<AddressEntry>& entries) {
  std::string records;
  std::uint32_t count = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const AddressEntry& entry = entries[i];
    if (entry.address.isEmpty()) continue;
    char record[kRecordBytes] = {};
    const int row = static_cast<int>(i) + 1;
    std::string_view storedName, storedAddress;
    if (entry.stored.size() == kRecordBytes) {
      storedName = FieldBytes(std::string_view(entry.stored).substr(0, kFieldBytes));
      storedAddress = FieldBytes(std::string_view(entry.stored).substr(kFieldBytes));
    }
    EncodeField(entry.name, storedName, row, record);
    EncodeField(entry.address, storedAddress, row, record + kFieldBytes);
    records.append(record, kRecordBytes);
    ++count;
  }
  std::string bytes(kMagic, sizeof kMagic);
  bytes.append(kVersion, sizeof kVersion);
  char countBytes[4];
  qToLittleEndian(count, countBytes);
  bytes.append(countBytes, sizeof countBytes);
  return bytes + records;
}

void WriteAddressBook(const QString& path, const std::string& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  WriteFileReplacing(path, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString KeepUnreadableAddressBook(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
    return QString();
  for (int n = 1; n < 100; ++n) {
    QString copy = path + QStringLiteral(".bak");
    if (n > 1) copy += QStringLiteral(".%1").arg(n);
    if (QFileInfo(copy).exists()) {
      if (SameBytes(path, copy)) return copy;
      continue;
    }
    // A second name for the same bytes needs no read permission; a copy is the fallback.
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(copy).constData()) == 0)
      return copy;
    CopyFileReplacing(path, copy);
    return copy;
  }
  throw FileError::FromErrno(EEXIST, path + QStringLiteral(".bak"));
}
