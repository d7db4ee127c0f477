#pragma once

#include <QDateTime>
#include <QString>
#include <cstdio>

// The one line each request leaves in the web server's error log: time, account, outcome,
// status and recipient count. Never the password or the message.
struct RequestLogLine {
  QString account;  // as the request named it; "-" when it named none
  const char* outcome = "";
  int status = 0;
  int recipients = 0;

  void Write(std::FILE* log, const QDateTime& time) const;
};
