#include "cgi/album_handler.h"

#include <new>
#include <stdexcept>

#include "cgi/album_editor.h"
#include "cgi/album_page.h"
#include "cgi/album_public.h"
#include "cgi/album_signup.h"
#include "store/database.h"

namespace {

using Handler = CgiReply (*)(AlbumContext&);

struct Route {
  const char* path;
  Handler get;  // also for HEAD
  Handler post;
  bool database;  // whether it needs the configuration and the database
};

CgiReply ToEditor(AlbumContext&) { return SeeOther(QString::fromLatin1(kEditorPath)); }

const Route kRoutes[] = {
    {"/", LandingPage, nullptr, false},
    {"/quill/album", ToEditor, nullptr, false},
    {"/quill/album/", EditorPage, nullptr, true},
    {"/quill/album/login", nullptr, LoginAction, true},
    {"/quill/album/logout", nullptr, LogoutAction, true},
    {"/quill/album/delete", DeletePage, DeleteAction, true},
    {"/quill/album/visibility", nullptr, VisibilityAction, true},
    {"/quill/album/password", nullptr, PasswordAction, true},
    {"/quill/album/signup", SignupPage, SignupAction, true},
    {"/quill/album/confirm", ConfirmPage, nullptr, true},
    {"/quill/album/filelist.php3", PublicAlbumPage, nullptr, true},
    {"/quill/album/picture", PictureFile, nullptr, true},
    {"/quill/album/style.css", Stylesheet, nullptr, false},
};

const Route* FindRoute(const QString& path) {
  for (const Route& route : kRoutes)
    if (path == QLatin1String(route.path)) return &route;
  return nullptr;
}

CgiReply Unavailable() {
  return MessagePage(503, QStringLiteral("ただいま利用できません"),
                     QStringLiteral("サービスが一時的に利用できません。"
                                    "しばらくしてからもう一度お試しください。"),
                     {{QStringLiteral("ホームへ"), QStringLiteral("/"), false}});
}

CgiReply BadRequest(int status, const QString& text) {
  return MessagePage(status, QStringLiteral("リクエストを受け付けられません"), text,
                     {{QStringLiteral("ホームへ"), QStringLiteral("/"), false}});
}

CgiReply NotAllowed(const Route& route) {
  CgiReply reply = BadRequest(405, QStringLiteral("このページはその方法では開けません。"));
  std::string allow;
  if (route.get) allow = "GET, HEAD";
  if (route.post) allow += allow.empty() ? "POST" : ", POST";
  reply.headers.emplace_back("Allow", allow);
  return reply;
}

// Reads and parses the posted form; a refusal when it cannot be taken.
std::optional<CgiReply> ReadForm(AlbumContext& context, const AlbumBodyReader& readBody) {
  const CgiRequest& request = context.Request();
  const auto length = request.BodyLength();
  if (!length) return BadRequest(400, QStringLiteral("リクエストの長さがわかりません。"));
  if (*length > kMaxFormBytes)
    return BadRequest(413, QStringLiteral("フォームの内容が長すぎます。"));
  if (!request.HasMediaType(QStringLiteral("application/x-www-form-urlencoded")))
    return BadRequest(400, QStringLiteral("フォームの形式が正しくありません。"));
  std::string body;
  if (!readBody(*length, body))
    return BadRequest(400, QStringLiteral("リクエストが途中で切れています。"));
  auto form = FormFields::Parse(body);
  if (!form) return BadRequest(400, QStringLiteral("フォームの形式が正しくありません。"));
  context.SetForm(std::move(*form));
  return std::nullopt;
}

AlbumResult Finish(CgiReply reply, RequestLogLine log, const char* outcome) {
  log.status = reply.status;
  if (*log.outcome == '\0') log.outcome = outcome;
  return {std::move(reply), std::move(log)};
}

}  // namespace

AlbumResult HandleAlbum(const CgiRequest& request, const AlbumBodyReader& readBody,
                        const QString& configPath, qint64 now) {
  static const ServiceConfig kNoConfig;
  RequestLogLine log;
  log.program = "album.cgi";
  log.recipients = -1;
  const Route* route = FindRoute(request.Path());
  if (!route) return Finish(NotFoundPage(), log, "not-found");
  const bool get =
      request.method == QLatin1String("GET") || request.method == QLatin1String("HEAD");
  const bool post = request.method == QLatin1String("POST");
  if ((get && !route->get) || (post && !route->post) || (!get && !post))
    return Finish(NotAllowed(*route), log, "not-allowed");
  // A query that is not one, or longer than any of these pages take, is no address of theirs.
  auto query = request.queryString.size() <= kMaxQueryBytes
                   ? FormFields::Parse(request.queryString.toStdString())
                   : std::nullopt;
  if (!query) return Finish(NotFoundPage(), log, "not-found");

  std::optional<ServiceConfig> config;
  if (route->database) {
    QStringList problems;
    config = ServiceConfig::Load(configPath, &problems);
    if (!config) {
      for (const QString& problem : problems)
        std::fprintf(stderr, "album.cgi: %s: %s\n", configPath.toUtf8().constData(),
                     problem.toUtf8().constData());
      return Finish(Unavailable(), log, "config-invalid");
    }
  }
  AlbumContext context(request, config ? *config : kNoConfig, configPath, now, std::move(*query));
  try {
    if (post)
      if (auto refused = ReadForm(context, readBody))
        return Finish(std::move(*refused), context.Log(), "bad-form");
    CgiReply reply = (get ? route->get : route->post)(context);
    return Finish(std::move(reply), context.Log(), "page");
  } catch (const DatabaseError& error) {
    std::fprintf(stderr, "album.cgi: database: %s\n", error.what());
    return Finish(Unavailable(), context.Log(), "database-unavailable");
  } catch (const std::bad_alloc&) {
    return Finish(Unavailable(), context.Log(), "out-of-memory");
  }
}
