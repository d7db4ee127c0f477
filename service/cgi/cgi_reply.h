#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

// What a CGI program writes to the web server (RFC 3875, section 6): a Status line, headers and
// a body of plain UTF-8 text.
struct CgiReply {
  int status = 200;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // A refusal: the status and the reason, one line of text.
  static CgiReply Refusal(int status, const QString& reason);
  std::string Render() const;
};
