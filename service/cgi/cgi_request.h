#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

// The meta-variables of a CGI request that the service reads (RFC 3875, section 4.1).
struct CgiRequest {
  QString method;
  QString contentLength;  // as given; empty when missing
  QString contentType;

  static CgiRequest FromEnvironment();

  // CONTENT_LENGTH as a number: decimal digits only; nothing when missing or malformed.
  std::optional<std::size_t> BodyLength() const;
  // Whether CONTENT_TYPE names the media type `type` (parameters aside, any case).
  bool HasMediaType(const QString& type) const;
};

// Reads exactly `length` bytes of the body from a file descriptor (standard input for a CGI
// program); false when it ends sooner or fails.
bool ReadBody(int fd, std::size_t length, std::string& body);
