#include "protocol/upload_layout.h"

std::string BuildUploadPreamble(const UploadFields& fields) {
  const std::string delimiter = "--" + std::string(kBodyDelimiter);
  std::string preamble;
  preamble += delimiter + "\r\n";
  preamble += fields.userId + "\r\n";
  preamble += fields.password + "\r\n";
  preamble += delimiter + "\r\n";
  preamble += "To: " + fields.to + "\r\n";
  preamble += "From: " + fields.from + "\r\n";
  preamble += "Subject: " + fields.subject + "\r\n";
  // No blank line between the Subject line and the message.
  preamble += fields.message + "\r\n";
  preamble += delimiter + "\r\n";
  return preamble;
}

std::string BuildUploadBody(const UploadFields& fields, std::string_view picture) {
  std::string body = BuildUploadPreamble(fields);
  body += picture;
  // No line break after the closing "--".
  body += "\r\n--" + std::string(kBodyDelimiter) + "--";
  return body;
}
