#pragma once

#include "cgi/album_context.h"
#include "cgi/cgi_reply.h"

// The album editor, "/quill/album/": the login form, and for a logged-in browser its pictures
// with delete, public or private album, change of password and log out. Every form carries its
// token; every change answers "303 See Other" back to the editor.

// GET "/quill/album/[?page=P][&done=WHAT]": the editor, or the login form without a session.
CgiReply EditorPage(AlbumContext& context);
// POST "/quill/album/login": a wrong password waits the failure delay; after five wrong ones
// for the account or from the address, logins wait as well.
CgiReply LoginAction(AlbumContext& context);
CgiReply LogoutAction(AlbumContext& context);
// GET "/quill/album/delete?id=ID" asks; POST deletes.
CgiReply DeletePage(AlbumContext& context);
CgiReply DeleteAction(AlbumContext& context);
CgiReply VisibilityAction(AlbumContext& context);
CgiReply PasswordAction(AlbumContext& context);
