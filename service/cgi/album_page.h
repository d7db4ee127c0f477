#pragma once

#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cgi/cgi_reply.h"
#include "store/picture_store.h"
#include "web/html.h"

// The pages' shared parts: the layout around every page, notices, the list of pictures and its
// pager, redirects.

// Where the pages are.
inline constexpr char kEditorPath[] = "/quill/album/";

// The public album of that number, as the composer's button opens it; later pages add "page".
QString PublicAlbumPath(qint64 number, int page = 1);

// The page of the navigation that is the current one.
enum class NavItem { kNone, kHome, kEditor, kSignup };

// A whole page: the layout with `title` and `content`, as HTML that no cache keeps, with headers
// that let it load nothing but this site's own stylesheet and pictures.
CgiReply HtmlPage(int status, const QString& title, const Html& content,
                  NavItem current = NavItem::kNone);

struct PageLink {
  QString label;
  QString href;
  bool primary = false;
};
Html ButtonLinks(const std::vector<PageLink>& links);
// A page of one heading, one paragraph and links.
CgiReply MessagePage(int status, const QString& heading, const QString& text,
                     const std::vector<PageLink>& links);
// The 404 page.
CgiReply NotFoundPage();

// The reply with the headers of `from` added (cookies set while a page was made).
CgiReply WithHeadersOf(CgiReply reply, const CgiReply& from);

// "303 See Other" to a path of this site (after a form is taken).
CgiReply SeeOther(const QString& path);

// A line above a form: an error, or what was just done.
enum class NoticeKind { kError, kDone };
Html Notice(NoticeKind kind, const QString& text);

// Pictures at twice their size, each with its subject and date; with a delete link each in the
// editor. `emptyText` stands in for an empty list.
Html PictureList(const std::vector<AlbumEntry>& entries, bool withDelete, const QString& emptyText);
Html PictureItem(const AlbumEntry& entry, bool withDelete);

// How many pictures a page of an album shows.
inline constexpr int kPicturesPerPage = 40;
inline int PageCount(qint64 pictures) {
  return static_cast<int>(
      std::max<qint64>(1, (pictures + kPicturesPerPage - 1) / kPicturesPerPage));
}
// Links to the newer and older pages around `page` (1 is the newest); empty for one page.
Html Pager(int page, int pages, const std::function<QString(int page)>& href);
// The "page" of a query: 1 when missing, nothing when it is not a page number.
std::optional<int> PageNumber(const QString& text);
