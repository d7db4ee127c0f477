#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where a server is reached: the value a user gives for it, "host", "host:port",
// "http://host[:port]" or "https://host[:port]" (an IPv6 address in brackets; one "/" may end
// it). A bare host is plain HTTP on port 80; HTTPS defaults to port 443.
struct ServerAddress {
  static constexpr int kHttpPort = 80;
  static constexpr int kHttpsPort = 443;

  bool secure = false;
  std::string host;  // as written, brackets of an IPv6 address included
  std::optional<int> namedPort;

  int Port() const { return namedPort.value_or(secure ? kHttpsPort : kHttpPort); }
  // "http://host" or "https://host", with ":port" when one was named.
  std::string Origin() const;
};

// Nothing when the value does not name exactly one host: empty, another scheme, a user name,
// a path, a query, spaces, control or other characters that would change where an address
// built from it leads, or a port outside 1 to 65535.
std::optional<ServerAddress> ParseServerAddress(std::string_view text);
