#include "server_address.h"

#include <algorithm>
#include <charconv>

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
           return p == (t >= 'A' && t <= 'Z' ? char(t - 'A' + 'a') : t);
         });
}

// A host goes into the request address as it is, so anything that would end the host part of
// an address (or smuggle in a user name) is refused rather than sent somewhere unintended.
bool IsSafeHost(std::string_view host) {
  if (host.empty()) return false;
  return std::ranges::none_of(host, [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u >= 0x7F ||
           std::string_view("/\\?#@%:[]").find(c) != std::string_view::npos;
  });
}

bool IsSafeIpv6(std::string_view address) {
  if (address.empty()) return false;
  return std::ranges::all_of(address, [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
           c == '.';
  });
}

std::optional<int> ParsePort(std::string_view text) {
  int port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || port < 1 ||
      port > 65535)
    return std::nullopt;
  return port;
}

}  // namespace

std::string ServerAddress::Origin() const {
  std::string origin = (secure ? "https://" : "http://") + host;
  if (namedPort) origin += ":" + std::to_string(*namedPort);
  return origin;
}

std::optional<ServerAddress> ParseServerAddress(std::string_view rest) {
  ServerAddress address;
  if (StartsWithIgnoringCase(rest, "https://")) {
    address.secure = true;
    rest.remove_prefix(8);
  } else if (StartsWithIgnoringCase(rest, "http://")) {
    rest.remove_prefix(7);
  }
  if (rest.ends_with('/')) rest.remove_suffix(1);
  std::string_view portText;
  if (rest.starts_with('[')) {
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos || !IsSafeIpv6(rest.substr(1, close - 1)))
      return std::nullopt;
    address.host = std::string(rest.substr(0, close + 1));
    rest.remove_prefix(close + 1);
    if (!rest.empty()) {
      if (!rest.starts_with(':')) return std::nullopt;
      portText = rest.substr(1);
      if (portText.empty()) return std::nullopt;
    }
  } else {
    const std::size_t colon = rest.find(':');
    address.host = std::string(rest.substr(0, colon));
    if (colon != std::string_view::npos) {
      portText = rest.substr(colon + 1);
      if (portText.empty()) return std::nullopt;
    }
    if (!IsSafeHost(address.host)) return std::nullopt;
  }
  if (!portText.empty()) {
    address.namedPort = ParsePort(portText);
    if (!address.namedPort) return std::nullopt;
  }
  return address;
}
