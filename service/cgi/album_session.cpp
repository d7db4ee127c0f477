#include "cgi/album_session.h"

#include "cgi/album_page.h"
#include "store/session_store.h"
#include "store/token.h"

namespace {

const QString kSessionCookie = QStringLiteral("quillora_session");
const QString kFormCookie = QStringLiteral("quillora_form");

std::string CookieHeader(const QString& name, const std::string& value, const char* lifetime,
                         bool https) {
  std::string header = name.toStdString() + "=" + value + "; Path=" + kEditorPath + lifetime +
                       "; HttpOnly; SameSite=Strict";
  if (https) header += "; Secure";
  return header;
}

void SetCookie(CgiReply& reply, const std::string& header) {
  reply.headers.emplace_back("Set-Cookie", header);
}

std::string CookieToken(const AlbumContext& context, const QString& name) {
  const std::string token = context.Request().Cookie(name).toStdString();
  return IsToken(token) ? token : std::string();
}

bool FieldMatches(const AlbumContext& context, const std::string& expected) {
  return SameSecret(context.Form().Value(QStringLiteral("csrf")).toStdString(), expected);
}

}  // namespace

std::optional<EditorSession> CurrentSession(AlbumContext& context) {
  const std::string token = CookieToken(context, kSessionCookie);
  if (token.empty()) return std::nullopt;
  const auto session = SessionStore(context.Db()).Find(token, context.Now());
  if (!session) return std::nullopt;
  const auto account = AccountStore(context.Db()).ById(session->accountId);
  if (!account) return std::nullopt;
  context.Log().account = account->address;
  return EditorSession{token, *account};
}

void StartSession(AlbumContext& context, const Account& account, CgiReply& reply) {
  const std::string token = SessionStore(context.Db()).Open(account.id, context.Now());
  SetCookie(reply, CookieHeader(kSessionCookie, token,
                                ("; Max-Age=" + std::to_string(kSessionSeconds)).c_str(),
                                context.Request().https));
}

void EndSession(AlbumContext& context, const EditorSession& session, CgiReply& reply) {
  SessionStore(context.Db()).Close(session.token);
  SetCookie(reply, CookieHeader(kSessionCookie, "", "; Max-Age=0", context.Request().https));
}

std::string SessionFormToken(const EditorSession& session) {
  return TokenDerivative(session.token, "quillora editor form");
}

bool SessionFormTokenMatches(const AlbumContext& context, const EditorSession& session) {
  return FieldMatches(context, SessionFormToken(session));
}

std::string LoginFormToken(const AlbumContext& context, CgiReply& reply) {
  std::string token = CookieToken(context, kFormCookie);
  if (token.empty()) {
    token = NewToken();
    SetCookie(reply, CookieHeader(kFormCookie, token, "", context.Request().https));
  }
  return TokenDerivative(token, "quillora login form");
}

bool LoginFormTokenMatches(const AlbumContext& context) {
  const std::string token = CookieToken(context, kFormCookie);
  return !token.empty() && FieldMatches(context, TokenDerivative(token, "quillora login form"));
}

CgiReply LoginFormPage(const AlbumContext& context, int status, std::string_view templateName,
                       const QString& title, NavItem current, const Html& notice,
                       const QString& address) {
  CgiReply cookies;
  const std::string csrf = LoginFormToken(context, cookies);
  const Html content = HtmlTemplate::Fill(
      templateName, {Markup("notice", notice), Text("csrf", QString::fromStdString(csrf)),
                     Text("address", address)});
  return WithHeadersOf(HtmlPage(status, title, content, current), cookies);
}

CgiReply StaleFormPage(const QString& back) {
  return MessagePage(403, QStringLiteral("フォームを受け付けられません"),
                     QStringLiteral("フォームの確認用の情報がないか、古くなっています。"
                                    "ページを開き直してから、もう一度お試しください。"
                                    "ブラウザのクッキーを有効にしてください。"),
                     {{QStringLiteral("ページを開き直す"), back, true}});
}
