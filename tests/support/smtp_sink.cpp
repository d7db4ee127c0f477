#include "smtp_sink.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QThread>
#include <stdexcept>

namespace {

// Debian's interpreter, which has aiosmtpd, whatever python3 comes first on the PATH.
const char kPython[] = "/usr/bin/python3";

}  // namespace

QString TestSupportFolder() { return QStringLiteral(QUILLORA_TEST_SUPPORT_DIR); }

bool SmtpSink::Start(const QString& folder, QString* error, const QStringList& options) {
  folder_ = folder;
  QDir().mkpath(folder);
  const QString portFile = folder + "/port";
  QFile::remove(portFile);
  const QStringList arguments =
      QStringList{TestSupportFolder() + "/smtp_sink.py", Maildir(), portFile} + options;
  if (!process_.Start(
          kPython, arguments, folder + "/sink.log", [portFile] { return QFile::exists(portFile); },
          error))
    return false;
  QFile file(portFile);
  port_ = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : 0;
  return port_ > 0;
}

int SmtpSink::MailCount() const {
  return static_cast<int>(QDir(Maildir() + "/new").entryList(QDir::Files).size());
}

bool SmtpSink::WaitForMails(int count, int timeoutMs) const {
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    if (MailCount() >= count) return true;
    QThread::msleep(20);
  }
  return false;
}

QJsonArray SmtpSink::Mails() const {
  QProcess reader;
  reader.start(kPython, {TestSupportFolder() + "/read_mail.py", Maildir()});
  if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
    throw std::runtime_error("read_mail.py failed: " + reader.readAllStandardError().toStdString());
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
}
