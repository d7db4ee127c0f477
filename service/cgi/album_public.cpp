#include "cgi/album_public.h"

#include "cgi/album_page.h"
#include "cgi/album_session.h"
#include "store/account_store.h"
#include "store/picture_store.h"
#include "store/token.h"
#include "web/web_assets.h"

namespace {

// An album number as the composer writes it: digits only.
std::optional<qint64> AlbumNumber(const QString& text) {
  if (text.isEmpty() || text.size() > 18) return std::nullopt;
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  return text.toLongLong();
}

// A strong tag of the bytes themselves.
std::string EntityTag(const QByteArray& bytes) {
  return "\"" +
         HexDigest(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
             .substr(0, 32) +
         "\"";
}

// Whether If-None-Match names the tag ("*" or a list, weak tags compared weakly).
bool TagMatches(const QString& ifNoneMatch, const std::string& tag) {
  if (ifNoneMatch.trimmed() == QLatin1String("*")) return true;
  for (QString candidate : ifNoneMatch.split(QLatin1Char(','))) {
    candidate = candidate.trimmed();
    if (candidate.startsWith(QLatin1String("W/"))) candidate = candidate.mid(2);
    if (candidate.toStdString() == tag) return true;
  }
  return false;
}

}  // namespace

CgiReply LandingPage(AlbumContext&) {
  return HtmlPage(200, QStringLiteral("ピクチャーメールのアルバム"),
                  HtmlTemplate::Fill("landing.html", {}), NavItem::kHome);
}

CgiReply PublicAlbumPage(AlbumContext& context) {
  const auto number = AlbumNumber(context.Query().Value(QStringLiteral("num")));
  const auto page = PageNumber(context.Query().Value(QStringLiteral("page")));
  if (!number || !page) return NotFoundPage();
  const auto account = AccountStore(context.Db()).ByAlbumNumber(*number);
  if (!account || !account->albumPublic) return NotFoundPage();
  PictureStore pictures(context.Db());
  const qint64 count = pictures.DeliveredCount(account->id);
  const int pages = PageCount(count);
  if (*page > pages) return NotFoundPage();
  const auto entries =
      pictures.AlbumPage(account->id, (*page - 1) * kPicturesPerPage, kPicturesPerPage);
  const Html content = HtmlTemplate::Fill(
      "album.html",
      {Text("number", *number), Text("count", count),
       Markup("pictures", PictureList(entries, false, QStringLiteral("まだ写真がありません。"))),
       Markup("pager", Pager(*page, pages, [&](int to) { return PublicAlbumPath(*number, to); }))});
  return HtmlPage(200, QStringLiteral("アルバム %1").arg(*number), content);
}

CgiReply PictureFile(AlbumContext& context) {
  const QString id = context.Query().Value(QStringLiteral("id"));
  if (!IsPictureId(id.toStdString())) return NotFoundPage();
  const auto picture = PictureStore(context.Db()).ByPublicId(id);
  if (!picture) return NotFoundPage();
  bool owner = false;
  if (!picture->albumPublic) {
    const auto session = CurrentSession(context);
    owner = session && session->account.id == picture->accountId;
    if (!owner) return NotFoundPage();
  }
  CgiReply reply;
  const std::string tag = EntityTag(picture->data);
  reply.contentType = picture->contentType.toStdString();
  // Kept, but asked after every time: a picture deleted or made private is gone at once.
  reply.cacheControl = owner ? "private, no-cache" : "public, no-cache";
  reply.headers = {{"ETag", tag},
                   {"X-Content-Type-Options", "nosniff"},
                   {"Content-Security-Policy", "default-src 'none'"}};
  if (TagMatches(context.Request().ifNoneMatch, tag)) {
    reply.status = 304;
    return reply;
  }
  reply.headers.emplace_back("Content-Length", std::to_string(picture->data.size()));
  reply.body.assign(picture->data.constData(), static_cast<std::size_t>(picture->data.size()));
  return reply;
}

CgiReply Stylesheet(AlbumContext&) {
  CgiReply reply;
  reply.contentType = "text/css; charset=UTF-8";
  // Its address carries its version, so a browser may keep it for long.
  reply.cacheControl = "public, max-age=31536000, immutable";
  reply.headers = {{"X-Content-Type-Options", "nosniff"}};
  reply.body = WebAsset("style.css");
  return reply;
}
