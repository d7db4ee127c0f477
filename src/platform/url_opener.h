#pragma once

#include <QUrl>
#include <functional>

// Opens an address or a local file in the user's default browser; false when nothing could
// be started.
bool OpenUrl(const QUrl& url);

// When set, addresses go to the opener instead of the desktop (tests see what would open).
using UrlOpener = std::function<bool(const QUrl& url)>;
void SetUrlOpener(UrlOpener opener);
