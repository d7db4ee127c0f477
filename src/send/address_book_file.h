#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/errors.h"

// One recipient of the address book.
struct AddressEntry {
  QString name;
  QString address;
  // The record as the file held it (empty for a new entry). A field whose text is unchanged is
  // written back with these very bytes, so texts that do not decode cleanly survive a save.
  std::string stored = {};
};

// The address book file: "DAB" and a zero byte, "A" and a zero byte, a little-endian 32-bit
// record count, then 512-byte records of a 256-byte name and a 256-byte mail address, each
// zero-padded code page 932 text of at most 255 bytes.
namespace addressbook {
constexpr int kHeaderBytes = 10;
constexpr int kFieldBytes = 256;
constexpr int kRecordBytes = 2 * kFieldBytes;
constexpr std::size_t kTextLimit = kFieldBytes - 1;
}  // namespace addressbook

// "test.dat" beside the executable; in the user's data folder when the program's folder cannot
// be written (an installed program).
QString AddressBookPath();

// What reading the file gave.
struct AddressBook {
  std::vector<AddressEntry> entries;
  // Empty when the file was read whole, or is missing or empty. Otherwise why it could not be
  // (unreadable, not a regular file, foreign, a negative count, records missing or extra);
  // `entries` then holds the records that could be read.
  QString problem;
};

// The recipients the file holds, in order. A count beyond the records present gives those
// present (a record cut short reads as far as it goes).
AddressBook ReadAddressBook(const QString& path);

// A text to be stored holds a character that code page 932 cannot write; the description names
// the row (`row`, counted from 1 in the order given) and the character.
class UnstorableTextError : public ReportedError {
 public:
  UnstorableTextError(int row, const QString& character);
  int Row() const { return row_; }

 private:
  int row_;
};

// The file's bytes for `entries`: those without an address are left out; texts are cut to 255
// bytes without splitting a double-byte character. Throws UnstorableTextError.
std::string EncodeAddressBook(const std::vector<AddressEntry>& entries);

// Replaces the file with `bytes`: they are written to a new file beside it that then takes its
// place, so a failed save leaves the old file whole. Throws FileError.
void WriteAddressBook(const QString& path, const std::string& bytes);

// Keeps the bytes of a file that could not be read beside it as "<name>.bak" (or "<name>.bak.2"
// and on when that is taken by other bytes), before a save writes over it. Returns the copy's
// path, or nothing when there is no regular file to keep. Throws FileError.
QString KeepUnreadableAddressBook(const QString& path);
