#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The upload request as the composer writes it and the service reads it, byte for byte.

// The header block the composer adds. The blank line between User-Agent and Content-Type, and
// a Content-Type boundary that differs from the body's delimiter, are what the service has
// always received.
inline constexpr std::string_view kUploadHeaders =
    "Accept: image/gif,image/bmp,image/jpeg,*/*\r\nUser-Agent: MOBILE_AGENT\r\n"
    "\r\nContent-Type: multipart/form-data; boundary=---------------------------7d036b37204d6\r\n";
// The media type named there; its boundary parameter does not delimit the body.
inline constexpr std::string_view kUploadMediaType = "multipart/form-data";
// What does delimit the body.
inline constexpr std::string_view kBodyDelimiter = "---------------------------7d01777301a2";
// No text of the body is longer than this many bytes.
inline constexpr std::size_t kUploadTextLimit = 1023;

// Every text of the body in the bytes sent: code page 932, at most kUploadTextLimit bytes each,
// none holding a line break except the message (whose line breaks are CR LF pairs).
struct UploadFields {
  std::string userId;
  std::string password;
  std::string from;
  std::string to;
  std::string subject;
  std::string message;

  bool operator==(const UploadFields&) const = default;
};

// The body up to the picture: account, mail header lines and message, between delimiters.
std::string BuildUploadPreamble(const UploadFields& fields);
// The whole body: the preamble, the picture's bytes, then the closing delimiter.
std::string BuildUploadBody(const UploadFields& fields, std::string_view picture);
