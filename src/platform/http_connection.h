#pragma once

#include <cstdint>
#include <string>

#include "platform/http_request.h"
#include "platform/internet_session.h"

// A server to send HTTP requests to. Opening one checks the server name but does not connect;
// each request connects when it is sent.
class HttpConnection {
 public:
  static constexpr int kDefaultPort = 80;

  // `server` is a host name or address, optionally followed by ":port" (which overrides
  // `port`); an IPv6 address is written in brackets. "https://" before it makes every request
  // go over TLS (port 443 unless named), its certificate checked; "http://" is the plain
  // default (see ParseServerAddress). Throws InternetError when it does not name a host.
  HttpConnection(const InternetSession& session, const std::string& server,
                 int port = kDefaultPort);

  const std::string& Host() const { return host_; }
  int Port() const { return port_; }
  bool Secure() const { return secure_; }

  // A request for `path` (which starts with "/"); `flags` combine HttpRequest::kFlag* values.
  HttpRequest OpenRequest(const std::string& verb, const std::string& path, std::uint32_t flags);

 private:
  std::string host_;
  int port_;
  bool secure_ = false;
  std::string agent_;
  ProxyAccess access_;
  TransferLimits limits_;
};
