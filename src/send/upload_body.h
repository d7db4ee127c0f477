#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/errors.h"
#include "protocol/upload_layout.h"

class CSettingsStore;

// The parts of the upload request that are the composer's own; the body's layout is shared
// with the service (protocol/upload_layout.h).
inline constexpr std::string_view kUploadAgent = "Quillora";
inline constexpr std::uint32_t kUploadRequestFlags =
    0x20200000;  // existing connection, no redirect

// The send dialog's texts as its edits hold them, not trimmed. The message's line breaks are
// CR LF pairs, as the service expects them.
struct UploadTexts {
  QString to;
  QString subject;
  QString message;
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
