#pragma once

#include <optional>
#include <string_view>

#include "protocol/upload_layout.h"

// Where a body departs from the upload layout.
enum class UploadBodyFault {
  kNone,
  kOpening,          // does not start with the delimiter line
  kAccount,          // user ID and password lines
  kHeaderDelimiter,  // the delimiter line after the account
  kTo,               // "To: " line
  kFrom,             // "From: " line
  kSubject,          // "Subject: " line
  kMessage,          // no delimiter line after the message
  kClosing,          // does not end with the closing delimiter
  kTooLong,          // a text over kUploadTextLimit bytes
};

struct ParsedUpload {
  UploadFields fields;
  std::string_view picture;  // a view into the body parsed
};

// Reads a body by its own delimiter, exactly as BuildUploadBody lays it out: every line ends
// with CR LF (a lone CR or LF ends nothing and is refused in a one-line field), the message runs
// to the first delimiter line, and the picture to the closing delimiter, which ends the body.
// Gives nothing when the body departs from that, and then *fault says where. A body that parses
// is rebuilt byte for byte by BuildUploadBody from what this gives.
std::optional<ParsedUpload> ParseUploadBody(std::string_view body,
                                            UploadBodyFault* fault = nullptr);
