#include "http_connection.h"

#include <curl/curl.h>

#include <algorithm>
#include <charconv>

#include "platform/errors.h"

namespace {

[[noreturn]] void ThrowMalformed() {
  throw InternetError(QString::fromUtf8(curl_easy_strerror(CURLE_URL_MALFORMAT)));
}

// A host goes into the request address as it is, so anything that would end the host part of
// an address (or smuggle in a user name) is refused rather than sent somewhere unintended.
bool IsSafeHost(std::string_view host) {
  if (host.empty()) return false;
  for (const char c : host) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F) return false;
    if (std::string_view("/\\?#@%:[]").find(c) != std::string_view::npos) return false;
  }
  return true;
}

bool IsSafeIpv6(std::string_view address) {
  if (address.empty()) return false;
  for (const char c : address) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex && c != ':' && c != '.') return false;
  }
  return true;
}

int ParsePort(std::string_view text) {
  int port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || port < 1 ||
      port > 65535)
    ThrowMalformed();
  return port;
}

}  // namespace

HttpConnection::HttpConnection(const InternetSession& session, const std::string& server, int port)
    : port_(port), agent_(session.Agent()), access_(session.Access()), limits_(session.Limits()) {
  std::string_view rest(server);
  if (rest.starts_with('[')) {
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos || !IsSafeIpv6(rest.substr(1, close - 1))) ThrowMalformed();
    host_ = std::string(rest.substr(0, close + 1));
    rest.remove_prefix(close + 1);
    if (!rest.empty()) {
      if (!rest.starts_with(':')) ThrowMalformed();
      port_ = ParsePort(rest.substr(1));
    }
  } else {
    const std::size_t colon = rest.find(':');
    host_ = std::string(rest.substr(0, colon));
    if (colon != std::string_view::npos) port_ = ParsePort(rest.substr(colon + 1));
    if (!IsSafeHost(host_)) ThrowMalformed();
  }
  if (port_ < 1 || port_ > 65535) ThrowMalformed();
}

HttpRequest HttpConnection::OpenRequest(const std::string& verb, const std::string& path,
                                        std::uint32_t flags) {
  // Both go into the request line as they are.
  const auto isVerbChar = [](char c) { return c >= 'A' && c <= 'Z'; };
  const auto isPathChar = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7F && c != '#';
  };
  if (verb.empty() || !std::ranges::all_of(verb, isVerbChar) || !path.starts_with('/') ||
      !std::ranges::all_of(path, isPathChar))
    ThrowMalformed();
  HttpRequest::Target target;
  target.url = "http://" + host_ + ":" + std::to_string(port_) + path;
  target.verb = verb;
  target.agent = agent_;
  target.access = access_;
  target.limits = limits_;
  target.flags = flags;
  return HttpRequest(std::move(target));
}
