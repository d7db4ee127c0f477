#include "cgi/cgi_reply.h"

namespace {

const char* StatusText(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 401:
      return "Unauthorized";
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

}  // namespace

CgiReply CgiReply::Refusal(int status, const QString& reason) {
  CgiReply reply;
  reply.status = status;
  reply.body = reason.toStdString() + "\r\n";
  return reply;
}

std::string CgiReply::Render() const {
  std::string text = "Status: " + std::to_string(status) + " " + StatusText(status) + "\r\n";
  text += "Content-Type: text/plain; charset=UTF-8\r\n";
  text += "Cache-Control: no-store\r\n";
  for (const auto& [name, value] : headers) text += name + ": " + value + "\r\n";
  text += "\r\n";
  text += body;
  return text;
}
