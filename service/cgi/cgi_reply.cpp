#include "cgi/cgi_reply.h"

namespace {

const char* StatusText(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 303:
      return "See Other";
    case 304:
      return "Not Modified";
    case 400:
      return "Bad Request";
    case 401:
      return "Unauthorized";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 413:
      return "Content Too Large";
    case 429:
      return "Too Many Requests";
    case 502:
      return "Bad Gateway";
    case 503:
      return "Service Unavailable";
    default:
      return "Internal Server Error";
  }
}

bool Printable(const std::string& text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

}  // namespace

CgiReply CgiReply::Refusal(int status, const QString& reason) {
  CgiReply reply;
  reply.status = status;
  reply.body = reason.toStdString() + "\r\n";
  return reply;
}

std::string CgiReply::Render() const {
  std::string text = "Status: " + std::to_string(status) + " " + StatusText(status) + "\r\n";
  std::vector<std::pair<std::string, std::string>> all = {{"Content-Type", contentType},
                                                          {"Cache-Control", cacheControl}};
  all.insert(all.end(), headers.begin(), headers.end());
  for (const auto& [name, value] : all)
    if (!name.empty() && Printable(name) && Printable(value)) text += name + ": " + value + "\r\n";
  text += "\r\n";
  text += body;
  return text;
}
