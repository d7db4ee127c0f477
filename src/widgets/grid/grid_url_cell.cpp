#include "grid_url_cell.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace {

CGridURLCell::UrlOpener& Opener() {
  static CGridURLCell::UrlOpener opener;
  return opener;
}

bool IsAllowedScheme(const QString& scheme) {
  return scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"mailto";
}

}  // namespace

std::optional<QUrl> LinkUrlFromText(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  static const QRegularExpression schemeRule(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(.*)$"),
                                             QRegularExpression::DotMatchesEverythingOption);
  QString candidate;
  const QRegularExpressionMatch match = schemeRule.match(trimmed);
  if (!match.hasMatch()) {
    candidate = QStringLiteral("http://") + trimmed;
  } else if (IsAllowedScheme(match.captured(1).toLower())) {
    candidate = trimmed;
  } else if (!match.captured(2).isEmpty() && match.captured(2).front().isDigit()) {
    candidate = QStringLiteral("http://") + trimmed;  // "host:port/..." without a scheme
  } else {
    return std::nullopt;  // file:, javascript:, a drive letter, ...
  }
  const QUrl url(candidate, QUrl::StrictMode);
  if (!url.isValid() || !IsAllowedScheme(url.scheme().toLower())) return std::nullopt;
  if (url.scheme().toLower() == u"mailto") {
    if (url.path().isEmpty()) return std::nullopt;
  } else if (url.host().isEmpty()) {
    return std::nullopt;
  }
  return url;
}

bool CGridURLCell::Edit(int, int, const Rect&, QPoint, int, unsigned) { return false; }

void CGridURLCell::OnClick(QPoint) {
  const std::optional<QUrl> url = LinkUrlFromText(GetText());
  if (!url) return;
  if (Opener()) {
    Opener()(*url);
  } else {
    QDesktopServices::openUrl(*url);
  }
}

void CGridURLCell::SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }
