// album.cgi: the service's pages, the public albums, the album editor and sign-up.
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

#include "cgi/album_handler.h"
#include "config/service_config.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  // The transfer library starts only when a page sends mail (sign-up): most pages send none.
  const CgiRequest request = CgiRequest::FromEnvironment();
  const AlbumResult result = HandleAlbum(
      request,
      [](std::size_t length, std::string& body) { return ReadBody(STDIN_FILENO, length, body); },
      ServiceConfig::DefaultPath(), QDateTime::currentSecsSinceEpoch());
  std::string reply = result.reply.Render();
  // A HEAD request gets the headers alone.
  if (request.method == QLatin1String("HEAD")) reply.resize(reply.find("\r\n\r\n") + 4);
  std::fwrite(reply.data(), 1, reply.size(), stdout);
  std::fflush(stdout);
  result.log.Write(stderr, QDateTime::currentDateTime());
  return 0;
}
