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
  // For the pages: the address as requested (path and query; not in RFC 3875, but every web
  // server sets it), the query, the client, the cookies, HTTPS and the cached picture's tag.
  QString requestUri;
  QString queryString;
  QString remoteAddress;
  QString cookies;
  bool https = false;
  QString ifNoneMatch;
  QString scriptPath;  // SCRIPT_NAME followed by PATH_INFO

  static CgiRequest FromEnvironment();

  // CONTENT_LENGTH as a number: decimal digits only; nothing when missing or malformed.
  std::optional<std::size_t> BodyLength() const;
  // The path of the request: REQUEST_URI up to its query, else SCRIPT_NAME and PATH_INFO.
  QString Path() const;
  // The value of the cookie of that name; empty when it was not sent.
  QString Cookie(const QString& name) const;
  // Whether CONTENT_TYPE names the media type `type` (parameters aside, any case).
  bool HasMediaType(const QString& type) const;
};

// Reads exactly `length` bytes of the body from a file descriptor (standard input for a CGI
// program); false when it ends sooner or fails.
bool ReadBody(int fd, std::size_t length, std::string& body);
