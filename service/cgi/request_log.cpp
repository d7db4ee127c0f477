#include "cgi/request_log.h"

namespace {

// The account as the log may show it: printable ASCII, cut, so that a request cannot write
// lines of its own into the log.
QString Printable(const QString& account) {
  if (account.isEmpty()) return QStringLiteral("-");
  QString shown = account.left(254);
  for (QChar& c : shown)
    if (c.unicode() <= 0x20 || c.unicode() >= 0x7F) c = QLatin1Char('?');
  return shown;
}

}  // namespace

void RequestLogLine::Write(std::FILE* log, const QDateTime& time) const {
  const QByteArray line =
      QStringLiteral("%1 writefile.cgi account=%2 outcome=%3 status=%4 recipients=%5\n")
          .arg(time.toUTC().toString(Qt::ISODate), Printable(account), QLatin1String(outcome))
          .arg(status)
          .arg(recipients)
          .toUtf8();
  std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), log);
  std::fflush(log);
}
