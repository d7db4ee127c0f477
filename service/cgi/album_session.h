#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cgi/album_context.h"
#include "cgi/album_page.h"
#include "cgi/cgi_reply.h"
#include "store/account_store.h"

// The browser's side of the album editor: its cookies and the tokens its forms carry.
//
// A logged-in browser holds the session cookie (a random token; the database keeps its digest).
// Before login, a form cookie of the same kind lets the login and sign-up forms carry a token
// too. A form's token is derived from the cookie's, so a page of another site, which can read
// neither, cannot make one. Both cookies are HttpOnly and SameSite=Strict, Secure over HTTPS.

struct EditorSession {
  std::string token;
  Account account;
};

// The session of the request's cookie, while it lasts and its account exists.
std::optional<EditorSession> CurrentSession(AlbumContext& context);
// Opens a session for the account and sets its cookie on the reply.
void StartSession(AlbumContext& context, const Account& account, CgiReply& reply);
// Ends the request's session and removes its cookie.
void EndSession(AlbumContext& context, const EditorSession& session, CgiReply& reply);

// The token for a form of the logged-in editor.
std::string SessionFormToken(const EditorSession& session);
bool SessionFormTokenMatches(const AlbumContext& context, const EditorSession& session);

// The token for the login or sign-up form; sets the form cookie on the reply when the browser
// has none yet.
std::string LoginFormToken(const AlbumContext& context, CgiReply& reply);
bool LoginFormTokenMatches(const AlbumContext& context);

// A page of a form before login (login.html, signup.html), with its notice, the address typed
// so far and the form's token.
CgiReply LoginFormPage(const AlbumContext& context, int status, std::string_view templateName,
                       const QString& title, NavItem current, const Html& notice,
                       const QString& address);

// The page for a form whose token is missing or wrong.
CgiReply StaleFormPage(const QString& back);
