#pragma once

#include <QString>

#include "cgi/album_context.h"
#include "cgi/cgi_reply.h"
#include "cgi/cgi_request.h"
#include "cgi/request_log.h"

// No form of the pages is longer than this, nor any query.
inline constexpr std::size_t kMaxFormBytes = 8 * 1024;
inline constexpr qsizetype kMaxQueryBytes = 2 * 1024;

struct AlbumResult {
  CgiReply reply;
  RequestLogLine log;
};

// One request to the pages, by its path: "/" and "/quill/album/...". GET (and HEAD) for pages,
// POST with an application/x-www-form-urlencoded form of at most kMaxFormBytes for actions;
// anything else is refused with a Japanese page. Times are `now`, seconds since 1970.
AlbumResult HandleAlbum(const CgiRequest& request, const AlbumBodyReader& readBody,
                        const QString& configPath, qint64 now);
