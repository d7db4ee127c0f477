#pragma once

#include "cgi/album_context.h"
#include "cgi/cgi_reply.h"

// The pages anyone may open: the landing page "/", a public album
// "/quill/album/filelist.php3?num=N[&bLogin=0][&page=P]", a picture
// "/quill/album/picture?id=ID" and the stylesheet.

CgiReply LandingPage(AlbumContext& context);
// Unknown numbers and private albums are both "not found".
CgiReply PublicAlbumPage(AlbumContext& context);
// A picture of a public album to anyone, of a private one to its owner only; with its type, an
// ETag and "no-cache", so that a deleted picture is gone at once from every cache that asks.
CgiReply PictureFile(AlbumContext& context);
CgiReply Stylesheet(AlbumContext& context);
