#include "page_client.h"

#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

HttpReply PageClient::Get(const QString& pathAndQuery, const QList<QByteArray>& headers) {
  HttpRequestSpec request;
  request.url = site_.Origin() + pathAndQuery;
  request.method = "GET";
  request.headers = headers;
  return Send(request);
}

HttpReply PageClient::Post(const QString& path, const QList<std::pair<QString, QString>>& fields) {
  QByteArray body;
  for (const auto& [name, value] : fields) {
    if (!body.isEmpty()) body += '&';
    body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
  }
  HttpRequestSpec request;
  request.url = site_.Origin() + path;
  request.headers = {"Content-Type: application/x-www-form-urlencoded", "Expect:"};
  request.body = body;
  return Send(request);
}

HttpReply PageClient::Send(HttpRequestSpec request) {
  QByteArray cookie;
  for (auto it = cookies_.begin(); it != cookies_.end(); ++it)
    cookie += (cookie.isEmpty() ? "" : "; ") + it.key().toUtf8() + '=' + it.value().toUtf8();
  if (!cookie.isEmpty()) request.headers << "Cookie: " + cookie;
  request.caFile = site_.CaFile();
  const HttpReply reply = SendHttp(request);
  for (const QByteArray& header : reply.headers.values("set-cookie")) {
    const QByteArray pair = header.split(';').first();
    const qsizetype equals = pair.indexOf('=');
    const QString name = QString::fromUtf8(pair.left(equals));
    const QString value = QString::fromUtf8(pair.mid(equals + 1));
    if (header.contains("Max-Age=0") || value.isEmpty())
      cookies_.remove(name);
    else
      cookies_[name] = value;
  }
  return reply;
}

QString FieldValue(const QByteArray& html, const QString& name) {
  const QRegularExpression field(
      QStringLiteral("name=\"%1\"[^>]*value=\"([^\"]*)\"").arg(QRegularExpression::escape(name)));
  return field.match(QString::fromUtf8(html)).captured(1);
}

QByteArray SetCookieHeader(const HttpReply& reply, const QByteArray& name) {
  for (const QByteArray& header : reply.headers.values("set-cookie"))
    if (header.startsWith(name + '=')) return header;
  return {};
}

QString TidyProblems(const QByteArray& html) {
  QProcess tidy;
  tidy.start(QStringLiteral("tidy"), {"-q", "-e", "--show-warnings", "yes", "-utf8"});
  tidy.write(html);
  tidy.closeWriteChannel();
  if (!tidy.waitForFinished(30000)) return QStringLiteral("tidy did not run");
  QStringList problems;
  for (const QString& line : QString::fromUtf8(tidy.readAllStandardError()).split('\n')) {
    // Tidy 5.6 predates these attributes of the HTML standard and calls them proprietary.
    if (line.isEmpty() || line.contains(QLatin1String("proprietary attribute \"minlength\"")) ||
        line.contains(QLatin1String("proprietary attribute \"aria-current\"")))
      continue;
    problems << line;
  }
  if (tidy.exitCode() > 1) problems << QStringLiteral("tidy exit %1").arg(tidy.exitCode());
  return problems.join('\n');
}
