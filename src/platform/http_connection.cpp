#include "http_connection.h"

#include <curl/curl.h>

#include <algorithm>

#include "platform/errors.h"
#include "platform/server_address.h"

namespace {

[[noreturn]] void ThrowMalformed() {
  throw InternetError(QString::fromUtf8(curl_easy_strerror(CURLE_URL_MALFORMAT)));
}

}  // namespace

HttpConnection::HttpConnection(const InternetSession& session, const std::string& server, int port)
    : port_(port), agent_(session.Agent()), access_(session.Access()), limits_(session.Limits()) {
  const std::optional<ServerAddress> address = ParseServerAddress(server);
  if (!address || port_ < 1 || port_ > 65535) ThrowMalformed();
  host_ = address->host;
  secure_ = address->secure;
  // A port the value names wins; otherwise a secure server has its own default.
  if (address->namedPort || secure_) port_ = address->Port();
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
  target.url = (secure_ ? "https://" : "http://") + host_ + ":" + std::to_string(port_) + path;
  target.verb = verb;
  target.agent = agent_;
  target.access = access_;
  target.limits = limits_;
  target.flags = flags;
  return HttpRequest(std::move(target));
}
