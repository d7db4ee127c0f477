#pragma once

#include "cgi/album_context.h"
#include "cgi/cgi_reply.h"

// Sign-up, "/quill/album/signup": a mail address and a password; a confirmation mail through
// the relay with a one-time link "/quill/album/confirm?token=T" that is good for a day, and that
// activates the account when followed. Requests are limited per client address and per mailbox.
// Sign-up is closed while the configuration names no web origin for the link.

CgiReply SignupPage(AlbumContext& context);
CgiReply SignupAction(AlbumContext& context);
CgiReply ConfirmPage(AlbumContext& context);
