#pragma once

#include <QString>
#include <QUrl>
#include <optional>

// The service's pages and the manual. An address is built only from values that make a valid
// one: a value that would change the host (spaces, "/", "@", control characters in a server
// name) gives none, since it reaches the browser as it stands.

// A `Server` value that makes a proper address: a host name or address, optionally followed by
// ":port" (an IPv6 address in brackets), optionally after "http://" or "https://".
bool IsValidServer(const QString& server);
// What the user is told when the server is not set or not valid (empty when it is): what is
// wrong and where to set it.
QString ServerProblem(const QString& server);

// "http://" + the home page value; the value may carry a path after its host.
std::optional<QUrl> HomePageAddress(const QString& homePage);
// The server's scheme ("http://" for a bare host) + server + "/quill/album/filelist.php3?num="
// + album number + "&bLogin=0"; the album number must be digits.
std::optional<QUrl> PublicAlbumAddress(const QString& server, const QString& albumNumber);
// The server's scheme + server + "/quill/album/".
std::optional<QUrl> AlbumEditorAddress(const QString& server);
// The manual beside the program.
QUrl ManualAddress();
