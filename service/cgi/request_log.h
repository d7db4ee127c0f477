#pragma once

#include <QDateTime>
#include <QString>
#include <cstdio>

// The one line each request leaves in the web server's error log: time, program, account,
// outcome, status and recipient count. Never a password, a token or the message.
struct RequestLogLine {
  QString account;  // as the request named it; "-" when it named none
  const char* outcome = "";
  int status = 0;
  int recipients = 0;  // left out of the line when negative
  const char* program = "writefile.cgi";

  void Write(std::FILE* log, const QDateTime& time) const;
};
