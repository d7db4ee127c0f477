#pragma once

#include <QString>
#include <cstddef>
#include <functional>
#include <string>

#include "cgi/cgi_reply.h"
#include "cgi/cgi_request.h"
#include "cgi/request_log.h"

// No body is read past this many bytes; a longer one is refused before any is read.
inline constexpr std::size_t kMaxBodyBytes = 256 * 1024;

// Reads exactly `length` bytes of the body; false when fewer come.
using BodyReader = std::function<bool(std::size_t length, std::string& body)>;

struct WritefileResult {
  CgiReply reply;
  RequestLogLine log;
};

// One upload from start to end: the request's method and length, its body, the service's
// configuration and database, the account, the limits, the picture, and the delivery to the
// relay. Success is 200 with "OK\r\nalbum=<number>\r\n" once the relay has accepted the mail;
// every refusal is a status with a one-line Japanese reason, and leaves nothing sent or stored.
WritefileResult HandleWritefile(const CgiRequest& request, const BodyReader& readBody,
                                const QString& configPath);
