#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/errors.h"

class CSettingsStore;

// The fixed parts of the upload request; the service reads them byte for byte.
inline constexpr std::string_view kUploadAgent = "Quillora";
inline constexpr std::uint32_t kUploadRequestFlags =
    0x20200000;  // existing connection, no redirect
// The blank line between User-Agent and Content-Type, and a Content-Type boundary that differs
// from the body's delimiter, are what the service has always received.
inline constexpr std::string_view kUploadHeaders =
    "Accept: image/gif,image/bmp,image/jpeg,*/*\r\nUser-Agent: MOBILE_AGENT\r\n"
    "\r\nContent-Type: multipart/form-data; boundary=---------------------------7d036b37204d6\r\n";
inline constexpr std::string_view kBodyDelimiter = "---------------------------7d01777301a2";
// Texts taken from the send dialog are cut to this many bytes.
inline constexpr std::size_t kUploadTextLimit = 1023;

// The send dialog's texts as its edits hold them, not trimmed. The message's line breaks are
// CR LF pairs, as the service expects them.
struct UploadTexts {
  QString to;
  QString subject;
  QString message;
};

// Every text of the body in the bytes sent: code page 932, at most kUploadTextLimit bytes each.
struct UploadFields {
  std::string userId;
  std::string password;
  std::string from;
  std::string to;
  std::string subject;
  std::string message;
};

// A text to be sent holds a character that code page 932 cannot write; the description names
// the field (and the character, except in the password).
class UnsendableTextError : public ReportedError {
 public:
  using ReportedError::ReportedError;
};

// Takes the account from the store as it stands and the texts from the dialog, converts them to
// code page 932 and cuts each at kUploadTextLimit bytes without splitting a double-byte
// character. Throws UnsendableTextError rather than send a character changed.
UploadFields EncodeUploadFields(const CSettingsStore& store, const UploadTexts& texts);

// The body up to the picture: account, mail header lines and message, between delimiters.
std::string BuildUploadPreamble(const UploadFields& fields);
// The whole body: the preamble, the picture's bytes, then the closing delimiter.
std::string BuildUploadBody(const UploadFields& fields, std::string_view picture);
