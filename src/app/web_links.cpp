#include "web_links.h"

#include <algorithm>

#include "platform/program_folder.h"
#include "platform/server_address.h"

namespace {

bool IsHostName(const QString& host) {
  if (host.isEmpty()) return false;
  return std::none_of(host.begin(), host.end(), [](QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('/') ||
           c == QLatin1Char('@') || c == QLatin1Char('\\') || c == QLatin1Char('?') ||
           c == QLatin1Char('#');
  });
}

// The address, when it parses strictly and names exactly the host it was built from.
std::optional<QUrl> Checked(const QString& text, const QString& host) {
  const QUrl url(text, QUrl::StrictMode);
  if (!url.isValid() ||
      (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) ||
      url.userInfo().size() > 0)
    return std::nullopt;
  // The host without its port; an IPv6 address without its brackets.
  const QString expected = host.startsWith(u'[') ? host.mid(1).section(u']', 0, 0)
                                                 : host.section(QLatin1Char(':'), 0, 0);
  if (url.host().compare(expected, Qt::CaseInsensitive) != 0) return std::nullopt;
  return url;
}

// An address on the service's server, in the server's own scheme.
std::optional<QUrl> OnServer(const QString& server, const QString& pathAndQuery) {
  if (server.isEmpty() || std::any_of(server.begin(), server.end(),
                                      [](QChar c) { return c.unicode() >= 0x80 || c.isSpace(); }))
    return std::nullopt;
  const auto address = ParseServerAddress(server.toStdString());
  if (!address) return std::nullopt;
  return Checked(QString::fromStdString(address->Origin()) + pathAndQuery,
                 QString::fromStdString(address->host));
}

}  // namespace

bool IsValidServer(const QString& server) { return AlbumEditorAddress(server).has_value(); }

QString ServerProblem(const QString& server) {
  const QString where =
      QStringLiteral("「設定」ボタンで開くユーザー設定の「サーバー」に入力してください。");
  if (server.trimmed().isEmpty())
    return QStringLiteral("送信先のサーバーが設定されていません。\n") + where;
  if (!IsValidServer(server))
    return QStringLiteral("サーバー「%1」は正しくありません。\n").arg(server) + where;
  return QString();
}

std::optional<QUrl> HomePageAddress(const QString& homePage) {
  const QString host = homePage.section(QLatin1Char('/'), 0, 0);
  if (!IsHostName(host)) return std::nullopt;
  const QString path = homePage.mid(host.size());
  if (std::any_of(path.begin(), path.end(),
                  [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; }))
    return std::nullopt;
  return Checked(QStringLiteral("http://") + homePage, host);
}

std::optional<QUrl> PublicAlbumAddress(const QString& server, const QString& albumNumber) {
  if (albumNumber.isEmpty() || !std::all_of(albumNumber.begin(), albumNumber.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
      }))
    return std::nullopt;
  return OnServer(server, QStringLiteral("/quill/album/filelist.php3?num=") + albumNumber +
                              QStringLiteral("&bLogin=0"));
}

std::optional<QUrl> AlbumEditorAddress(const QString& server) {
  return OnServer(server, QStringLiteral("/quill/album/"));
}

QUrl ManualAddress() { return QUrl::fromLocalFile(DataFolder() + QStringLiteral("/manual.html")); }
