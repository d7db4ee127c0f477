#include "cgi/cgi_request.h"

#include <unistd.h>

#include <cerrno>

CgiRequest CgiRequest::FromEnvironment() {
  return {qEnvironmentVariable("REQUEST_METHOD"), qEnvironmentVariable("CONTENT_LENGTH"),
          qEnvironmentVariable("CONTENT_TYPE")};
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
