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
  QString text = QStringLiteral("%1 %2 account=%3 outcome=%4 status=%5")
                     .arg(time.toUTC().toString(Qt::ISODate), QLatin1String(program),
                          Printable(account), QLatin1String(outcome))
                     .arg(status);
  if (recipients >= 0) text += QStringLiteral(" recipients=%1").arg(recipients);
  const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
  std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), log);
  std::fflush(log);
}
