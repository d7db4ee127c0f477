#pragma once

#include <QJsonArray>
#include <QString>
#include <QStringList>

#include "server_process.h"

// The SMTP sink (smtp_sink.py, a real aiosmtpd server) on 127.0.0.1, keeping mails in a
// Maildir that read_mail.py parses back with Python's MIME parser.
class SmtpSink {
 public:
  // `options` are the sink's own (--refuse PREFIX, --defer PREFIX).
  bool Start(const QString& folder, QString* error, const QStringList& options = {});
  void Stop() { process_.Stop(); }

  int Port() const { return port_; }
  QString Maildir() const { return folder_ + "/maildir"; }
  int MailCount() const;
  // Waits up to `timeoutMs` for that many mails; false when they do not come.
  bool WaitForMails(int count, int timeoutMs = 10000) const;
  // Every mail, oldest first, as read_mail.py describes it; fails the test when it cannot run.
  QJsonArray Mails() const;

 private:
  QString folder_;
  ServerProcess process_;
  int port_ = 0;
};

// The folder of smtp_sink.py and read_mail.py.
QString TestSupportFolder();
