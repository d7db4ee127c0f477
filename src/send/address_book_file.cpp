#include "address_book_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "platform/program_folder.h"
#include "platform/safe_copy.h"
#include "protocol/cp932.h"

namespace {

using namespace addressbook;

constexpr char kMagic[4] = {'D', 'A', 'B', '\0'};
constexpr char kVersion[2] = {'A', '\0'};

// A field's text ends at its first zero byte, or fills the field.
QString DecodeField(const char* field) {
  const std::size_t length = strnlen(field, kFieldBytes);
  return FromCp932(std::string_view(field, length));
}

// Copies text into a zeroed field, cut at kTextLimit bytes.
void EncodeField(const QString& text, int row, char* field) {
  QString unwritable;
  const std::optional<std::string> bytes = ToCp932Within(text, kTextLimit, &unwritable);
  if (!bytes) throw UnstorableTextError(row, unwritable);
  std::memcpy(field, bytes->data(), bytes->size());
}

}  // namespace

QString AddressBookPath() {
  if (ProgramFolderWritable()) return ProgramFolder() + QStringLiteral("/test.dat");
  return UserDataFolder() + QStringLiteral("/test.dat");
}

std::vector<AddressEntry> ReadAddressBook(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  char header[kHeaderBytes];
  if (file.read(header, kHeaderBytes) != kHeaderBytes) return {};
  if (std::memcmp(header, kMagic, sizeof kMagic) != 0) return {};
  const auto count = qFromLittleEndian<std::int32_t>(header + 6);
  if (count <= 0) return {};
  // A damaged count must not make the list larger than the file.
  const qint64 present = (file.size() - kHeaderBytes + kRecordBytes - 1) / kRecordBytes;
  const qint64 rows = std::min<qint64>(count, std::max<qint64>(0, present));

  std::vector<AddressEntry> entries;
  entries.reserve(static_cast<std::size_t>(rows));
  for (qint64 row = 0; row < rows; ++row) {
    char record[kRecordBytes] = {};
    if (file.read(record, kRecordBytes) <= 0) break;  // the file shrank or cannot be read
    entries.push_back({DecodeField(record), DecodeField(record + kFieldBytes)});
  }
  return entries;
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
    EncodeField(entry.name, row, record);
    EncodeField(entry.address, row, record + kFieldBytes);
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
