#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

// What a CGI program writes to the web server (RFC 3875, section 6): a Status line, headers and
// a body, plain UTF-8 text unless said otherwise.
struct CgiReply {
  int status = 200;
  std::string contentType = "text/plain; charset=UTF-8";
  std::string cacheControl = "no-store";
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // A refusal: the status and the reason, one line of text.
  static CgiReply Refusal(int status, const QString& reason);
  // A header whose name or value holds a control character is left out, so that nothing a
  // request brings can start a header of its own.
  std::string Render() const;
};
