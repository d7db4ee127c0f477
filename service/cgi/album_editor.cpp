#include "cgi/album_editor.h"

#include <chrono>
#include <thread>

#include "cgi/album_page.h"
#include "cgi/album_session.h"
#include "cgi/web_password.h"
#include "mail/mailbox.h"
#include "store/account_store.h"
#include "store/login_throttle.h"
#include "store/password_hash.h"
#include "store/picture_store.h"
#include "store/session_store.h"

namespace {

const QString kEditorTitle = QStringLiteral("アルバム編集");

QString EditorPath() { return QString::fromLatin1(kEditorPath); }

// What the editor says after a change it answered with a redirect.
QString DoneText(const QString& done) {
  if (done == QLatin1String("deleted")) return QStringLiteral("写真を削除しました。");
  if (done == QLatin1String("public")) return QStringLiteral("アルバムを公開にしました。");
  if (done == QLatin1String("private")) return QStringLiteral("アルバムを非公開にしました。");
  if (done == QLatin1String("password")) return QStringLiteral("パスワードを変更しました。");
  if (done == QLatin1String("logout")) return QStringLiteral("ログアウトしました。");
  return {};
}

Html DoneNotice(const AlbumContext& context) {
  const QString text = DoneText(context.Query().Value(QStringLiteral("done")));
  return text.isEmpty() ? Html() : Notice(NoticeKind::kDone, text);
}

CgiReply LoginPage(const AlbumContext& context, int status, const Html& notice,
                   const QString& address) {
  return LoginFormPage(context, status, "login.html", kEditorTitle, NavItem::kEditor, notice,
                       address);
}

CgiReply Editor(AlbumContext& context, const EditorSession& session, int page, int status,
                const Html& notice) {
  const Account& account = session.account;
  PictureStore pictures(context.Db());
  const qint64 count = pictures.DeliveredCount(account.id);
  const int pages = PageCount(count);
  if (page > pages) return NotFoundPage();
  const auto entries =
      pictures.AlbumPage(account.id, (page - 1) * kPicturesPerPage, kPicturesPerPage);
  const Html albumLink = account.albumPublic
                             ? ButtonLinks({{QStringLiteral("公開アルバムを見る"),
                                             PublicAlbumPath(account.albumNumber), false}})
                             : Html();
  const Html content = HtmlTemplate::Fill(
      "editor.html",
      {Markup("notice", notice), Text("address", account.address),
       Text("number", account.albumNumber),
       Text("visibility", account.albumPublic ? QStringLiteral("公開中")
                                              : QStringLiteral("非公開（自分だけが見られます）")),
       Markup("album_link", albumLink), Text("count", count),
       Markup("pictures",
              PictureList(entries, true,
                          QStringLiteral("まだ写真がありません。Quillora から写真を送ると、"
                                         "ここに並びます。"))),
       Markup("pager",
              Pager(page, pages,
                    [](int to) { return QStringLiteral("/quill/album/?page=%1").arg(to); })),
       Text("csrf", QString::fromStdString(SessionFormToken(session))),
       Markup("public_checked", account.albumPublic ? Html::Literal(" checked") : Html()),
       Markup("private_checked", account.albumPublic ? Html() : Html::Literal(" checked"))});
  return HtmlPage(status, kEditorTitle, content, NavItem::kEditor);
}

// The session of a form posted from the editor, when its token is right.
std::optional<EditorSession> PostedSession(AlbumContext& context, CgiReply* refusal) {
  auto session = CurrentSession(context);
  if (!session) {
    *refusal = SeeOther(EditorPath());
    return std::nullopt;
  }
  if (!SessionFormTokenMatches(context, *session)) {
    *refusal = StaleFormPage(EditorPath());
    return std::nullopt;
  }
  return session;
}

CgiReply Throttled(qint64 waitSeconds, CgiReply page) {
  page.headers.emplace_back("Retry-After", std::to_string(waitSeconds));
  return page;
}

QString ThrottledText(qint64 waitSeconds) {
  return QStringLiteral(
             "パスワードを続けて間違えたため、しばらくログインできません。"
             "%1分ほどたってからもう一度お試しください。")
      .arg((waitSeconds + 59) / 60);
}

}  // namespace

CgiReply EditorPage(AlbumContext& context) {
  const auto page = PageNumber(context.Query().Value(QStringLiteral("page")));
  if (!page) return NotFoundPage();
  const auto session = CurrentSession(context);
  if (!session) return LoginPage(context, 200, DoneNotice(context), {});
  return Editor(context, *session, *page, 200, DoneNotice(context));
}

CgiReply LoginAction(AlbumContext& context) {
  const auto started = std::chrono::steady_clock::now();
  if (!LoginFormTokenMatches(context)) return StaleFormPage(EditorPath());
  const QString typed = context.Form().Value(QStringLiteral("address")).trimmed().left(254);
  const std::string password = context.Form().Value(QStringLiteral("password")).toStdString();
  const QByteArray typedBytes = typed.toUtf8();
  const auto mailbox = CanonicalMailbox(
      std::string_view(typedBytes.constData(), static_cast<std::size_t>(typedBytes.size())));
  const QString address = mailbox ? QString::fromStdString(*mailbox) : typed.toLower();
  context.Log().account = address;

  LoginThrottle throttle(context.Db());
  const QString client = context.Request().remoteAddress;
  if (const qint64 wait = throttle.Wait(address, client, context.Now()); wait > 0) {
    context.Log().outcome = "login-throttled";
    return Throttled(
        wait, LoginPage(context, 429, Notice(NoticeKind::kError, ThrottledText(wait)), typed));
  }
  std::optional<Account> account;
  if (mailbox)
    account = AccountStore(context.Db()).Authenticate(address, password);
  else
    SpendPasswordCheck(password);
  if (!account) {
    throttle.RecordFailure(address, client, context.Now());
    std::this_thread::sleep_until(started +
                                  std::chrono::milliseconds(context.Config().failureDelayMs));
    context.Log().outcome = "login-refused";
    return LoginPage(
        context, 401,
        Notice(NoticeKind::kError, QStringLiteral("メールアドレスまたはパスワードが違います。")),
        typed);
  }
  throttle.Forget(address);
  CgiReply reply = SeeOther(EditorPath());
  StartSession(context, *account, reply);
  context.Log().outcome = "login";
  return reply;
}

CgiReply LogoutAction(AlbumContext& context) {
  CgiReply refusal;
  const auto session = PostedSession(context, &refusal);
  if (!session) return refusal;
  CgiReply reply = SeeOther(QStringLiteral("/quill/album/?done=logout"));
  EndSession(context, *session, reply);
  context.Log().outcome = "logout";
  return reply;
}

CgiReply DeletePage(AlbumContext& context) {
  const auto session = CurrentSession(context);
  if (!session) return SeeOther(EditorPath());
  const QString id = context.Query().Value(QStringLiteral("id"));
  const auto entry = PictureStore(context.Db()).Entry(session->account.id, id);
  if (!entry) return NotFoundPage();
  const Html content = HtmlTemplate::Fill(
      "delete.html", {Markup("item", PictureItem(*entry, false)),
                      Text("csrf", QString::fromStdString(SessionFormToken(*session))),
                      Text("id", entry->publicId)});
  return HtmlPage(200, QStringLiteral("写真の削除"), content, NavItem::kEditor);
}

CgiReply DeleteAction(AlbumContext& context) {
  CgiReply refusal;
  const auto session = PostedSession(context, &refusal);
  if (!session) return refusal;
  if (!PictureStore(context.Db())
           .Remove(session->account.id, context.Form().Value(QStringLiteral("id"))))
    return NotFoundPage();
  context.Log().outcome = "deleted";
  return SeeOther(QStringLiteral("/quill/album/?done=deleted"));
}

CgiReply VisibilityAction(AlbumContext& context) {
  CgiReply refusal;
  const auto session = PostedSession(context, &refusal);
  if (!session) return refusal;
  const QString choice = context.Form().Value(QStringLiteral("public"));
  if (choice != QLatin1String("1") && choice != QLatin1String("0"))
    return Editor(context, *session, 1, 400,
                  Notice(NoticeKind::kError, QStringLiteral("公開するかどうかを選んでください。")));
  const bool albumPublic = choice == QLatin1String("1");
  AccountStore(context.Db()).SetAlbumPublic(session->account.id, albumPublic);
  context.Log().outcome = albumPublic ? "album-public" : "album-private";
  return SeeOther(albumPublic ? QStringLiteral("/quill/album/?done=public")
                              : QStringLiteral("/quill/album/?done=private"));
}

CgiReply PasswordAction(AlbumContext& context) {
  const auto started = std::chrono::steady_clock::now();
  CgiReply refusal;
  const auto session = PostedSession(context, &refusal);
  if (!session) return refusal;
  const Account& account = session->account;
  auto refuse = [&](int status, const QString& text) {
    return Editor(context, *session, 1, status, Notice(NoticeKind::kError, text));
  };
  LoginThrottle throttle(context.Db());
  const QString client = context.Request().remoteAddress;
  if (const qint64 wait = throttle.Wait(account.address, client, context.Now()); wait > 0) {
    context.Log().outcome = "password-throttled";
    return Throttled(wait, refuse(429, ThrottledText(wait)));
  }
  const QString fresh = context.Form().Value(QStringLiteral("new"));
  if (const QString problem =
          NewPasswordProblem(fresh, context.Form().Value(QStringLiteral("again")));
      !problem.isEmpty())
    return refuse(400, problem);
  const std::string current = context.Form().Value(QStringLiteral("current")).toStdString();
  if (!AccountStore(context.Db()).Authenticate(account.address, current)) {
    throttle.RecordFailure(account.address, client, context.Now());
    std::this_thread::sleep_until(started +
                                  std::chrono::milliseconds(context.Config().failureDelayMs));
    context.Log().outcome = "password-refused";
    return refuse(401, QStringLiteral("今のパスワードが違います。"));
  }
  AccountStore(context.Db()).SetPassword(account.address, fresh.toStdString());
  // Whoever else was logged in with the old password is no longer.
  SessionStore(context.Db()).CloseOthers(account.id, session->token);
  context.Log().outcome = "password-changed";
  return SeeOther(QStringLiteral("/quill/album/?done=password"));
}
