#include "cgi/cgi_request.h"

#include <unistd.h>

#include <QStringList>
#include <cerrno>

CgiRequest CgiRequest::FromEnvironment() {
  CgiRequest request;
  request.method = qEnvironmentVariable("REQUEST_METHOD");
  request.contentLength = qEnvironmentVariable("CONTENT_LENGTH");
  request.contentType = qEnvironmentVariable("CONTENT_TYPE");
  request.requestUri = qEnvironmentVariable("REQUEST_URI");
  request.queryString = qEnvironmentVariable("QUERY_STRING");
  request.remoteAddress = qEnvironmentVariable("REMOTE_ADDR");
  request.cookies = qEnvironmentVariable("HTTP_COOKIE");
  const QString https = qEnvironmentVariable("HTTPS");
  request.https =
      https.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0 || https == QLatin1String("1");
  request.ifNoneMatch = qEnvironmentVariable("HTTP_IF_NONE_MATCH");
  request.scriptPath = qEnvironmentVariable("SCRIPT_NAME") + qEnvironmentVariable("PATH_INFO");
  return request;
}

QString CgiRequest::Path() const {
  if (requestUri.isEmpty()) return scriptPath;
  return requestUri.section(QLatin1Char('?'), 0, 0);
}

QString CgiRequest::Cookie(const QString& name) const {
  // "a=1; b=2": the first of that name counts, as browsers send the most specific first.
  for (const QString& pair : cookies.split(QLatin1Char(';'))) {
    const QString trimmed = pair.trimmed();
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals > 0 && QStringView(trimmed).left(equals) == name) return trimmed.mid(equals + 1);
  }
  return {};
}

std::optional<std::size_t> CgiRequest::BodyLength() const {
  // Eighteen digits cannot overflow; far more than any body the service reads.
  if (contentLength.isEmpty() || contentLength.size() > 18) return std::nullopt;
  std::size_t length = 0;
  for (const QChar c : contentLength) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    length = length * 10 + static_cast<std::size_t>(c.unicode() - '0');
  }
  return length;
}

bool CgiRequest::HasMediaType(const QString& type) const {
  return contentType.section(QLatin1Char(';'), 0, 0).trimmed().compare(type, Qt::CaseInsensitive) ==
         0;
}

bool ReadBody(int fd, std::size_t length, std::string& body) {
  body.assign(length, '\0');
  std::size_t done = 0;
  while (done < length) {
    const ssize_t count = ::read(fd, body.data() + done, length - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}
