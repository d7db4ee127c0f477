#include "cgi/album_page.h"

#include <QDateTime>
#include <QTimeZone>

#include "web/web_assets.h"

namespace {

// The pages are Japanese, and so is their clock.
const QTimeZone& JapanTime() {
  static const QTimeZone zone = QTimeZone(9 * 3600);
  return zone;
}

Html Nav(NavItem current) {
  struct Item {
    NavItem item;
    const char* href;
    QString label;
  };
  const Item items[] = {{NavItem::kHome, "/", QStringLiteral("ホーム")},
                        {NavItem::kEditor, kEditorPath, QStringLiteral("アルバム編集")},
                        {NavItem::kSignup, "/quill/album/signup", QStringLiteral("新規登録")}};
  Html nav;
  for (const Item& item : items)
    nav += HtmlTemplate::Fill(
        "nav_link.html",
        {Text("href", QString::fromLatin1(item.href)), Text("label", item.label),
         Markup("current",
                item.item == current ? Html::Literal(" aria-current=\"page\"") : Html())});
  return nav;
}

}  // namespace

QString PublicAlbumPath(qint64 number, int page) {
  QString address = QStringLiteral("/quill/album/filelist.php3?num=%1&bLogin=0").arg(number);
  if (page > 1) address += QStringLiteral("&page=%1").arg(page);
  return address;
}

CgiReply HtmlPage(int status, const QString& title, const Html& content, NavItem current) {
  const std::string_view style = StyleVersion();
  const Html page = HtmlTemplate::Fill(
      "page.html",
      {Text("title", title),
       Text("style", QString::fromLatin1(style.data(), static_cast<qsizetype>(style.size()))),
       Markup("nav", Nav(current)), Markup("content", content)});
  CgiReply reply;
  reply.status = status;
  reply.contentType = "text/html; charset=UTF-8";
  reply.headers = {
      {"Content-Security-Policy",
       "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self'; "
       "frame-ancestors 'none'; base-uri 'none'"},
      {"X-Content-Type-Options", "nosniff"},
      {"X-Frame-Options", "DENY"},
      {"Referrer-Policy", "no-referrer"},
  };
  reply.body = page.Text();
  return reply;
}

Html ButtonLinks(const std::vector<PageLink>& links) {
  Html html;
  for (const PageLink& link : links)
    html += HtmlTemplate::Fill("button_link.html",
                               {Markup("tone", link.primary ? Html::Literal(" primary") : Html()),
                                Text("href", link.href), Text("label", link.label)});
  return html;
}

CgiReply MessagePage(int status, const QString& heading, const QString& text,
                     const std::vector<PageLink>& links) {
  return HtmlPage(status, heading,
                  HtmlTemplate::Fill("message.html", {Text("heading", heading), Text("text", text),
                                                      Markup("links", ButtonLinks(links))}));
}

CgiReply NotFoundPage() {
  return MessagePage(404, QStringLiteral("ページが見つかりません"),
                     QStringLiteral("お探しのページや写真はありません。アルバム番号が違うか、"
                                    "アルバムが公開されていないか、写真が削除されました。"),
                     {{QStringLiteral("ホームへ"), QStringLiteral("/"), true}});
}

CgiReply WithHeadersOf(CgiReply reply, const CgiReply& from) {
  reply.headers.insert(reply.headers.end(), from.headers.begin(), from.headers.end());
  return reply;
}

CgiReply SeeOther(const QString& path) {
  CgiReply reply;
  reply.status = 303;
  reply.headers.emplace_back("Location", path.toStdString());
  return reply;
}

Html Notice(NoticeKind kind, const QString& text) {
  const bool error = kind == NoticeKind::kError;
  return HtmlTemplate::Fill(
      "notice.html", {Markup("kind", error ? Html::Literal("error") : Html::Literal("done")),
                      Markup("role", error ? Html::Literal("alert") : Html::Literal("status")),
                      Text("text", text)});
}

Html PictureItem(const AlbumEntry& entry, bool withDelete) {
  const QDateTime sent = QDateTime::fromSecsSinceEpoch(entry.sentAt, JapanTime());
  const QString date = sent.toString(QStringLiteral("yyyy年M月d日 HH:mm"));
  const QString subject = entry.subject.isEmpty() ? QStringLiteral("（件名なし）") : entry.subject;
  const QString alt = entry.subject.isEmpty() ? QStringLiteral("%1に送った件名のない写真").arg(date)
                                              : QStringLiteral("写真「%1」").arg(entry.subject);
  // Twice the size, as a phone shows it to the hand; pictures kept before sizes were stored
  // take the phone's screen.
  const int width = entry.width > 0 ? entry.width : 96;
  const int height = entry.height > 0 ? entry.height : 91;
  Html actions;
  if (withDelete)
    actions = HtmlTemplate::Fill(
        "delete_link.html",
        {Text("id", entry.publicId), Text("label", QStringLiteral("「%1」を削除").arg(subject))});
  return HtmlTemplate::Fill(
      "picture_item.html",
      {Text("id", entry.publicId), Text("width", 2 * width), Text("height", 2 * height),
       Text("alt", alt), Text("subject", subject), Text("datetime", sent.toString(Qt::ISODate)),
       Text("date", date), Markup("actions", actions)});
}

Html PictureList(const std::vector<AlbumEntry>& entries, bool withDelete,
                 const QString& emptyText) {
  if (entries.empty()) return HtmlTemplate::Fill("empty.html", {Text("text", emptyText)});
  Html items;
  for (const AlbumEntry& entry : entries) items += PictureItem(entry, withDelete);
  return HtmlTemplate::Fill("picture_list.html", {Markup("items", items)});
}

Html Pager(int page, int pages, const std::function<QString(int page)>& href) {
  if (pages <= 1) return {};
  auto link = [&](int to, const QString& label) {
    if (to < 1 || to > pages) return Html();
    return ButtonLinks({{label, href(to), false}});
  };
  return HtmlTemplate::Fill(
      "pager.html",
      {Markup("newer", link(page - 1, QStringLiteral("← 新しい写真"))), Text("page", page),
       Text("pages", pages), Markup("older", link(page + 1, QStringLiteral("古い写真 →")))});
}

std::optional<int> PageNumber(const QString& text) {
  if (text.isEmpty()) return 1;
  if (text.size() > 6) return std::nullopt;
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  const int page = text.toInt();
  if (page < 1) return std::nullopt;
  return page;
}
