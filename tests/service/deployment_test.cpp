// The service behind the other ways it is deployed: lighttpd over TLS, and nginx with
// fcgiwrap.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "loopback.h"
#include "server_process.h"
#include "upload_requests.h"

namespace {

TEST(Deployment, HttpsWithACertificateOfTheTestCa) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({.tls = true}, &error)) << error.toStdString();
  ASSERT_GT(site.AddAccount("hanako@example.jp", "quill2026"), 0);
  ASSERT_TRUE(site.UploadUrl().startsWith("https://127.0.0.1:"));

  const HttpReply reply = Upload(site, {});
  ASSERT_EQ(reply.status, 200) << reply.error.toStdString();
  EXPECT_TRUE(reply.body.startsWith("OK\r\nalbum="));
  EXPECT_TRUE(site.Sink().WaitForMails(1));

  // Without the test CA the server is not trusted, and nothing is sent.
  HttpRequestSpec untrusted;
  untrusted.url = site.UploadUrl();
  untrusted.body = UploadBody({});
  const HttpReply refused = SendHttp(untrusted);
  EXPECT_EQ(refused.status, 0);
  EXPECT_FALSE(refused.error.isEmpty());
  EXPECT_EQ(site.Sink().MailCount(), 1);
}

bool WriteText(const QString& path, const QString& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) > 0;
}

TEST(Deployment, NginxWithFcgiwrap) {
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({}, &error)) << error.toStdString();
  const qint64 album = site.AddAccount("hanako@example.jp", "quill2026");
  ASSERT_GT(album, 0);

  const QString root = site.Folder() + "/nginx";
  ASSERT_TRUE(QDir().mkpath(root + "/temp"));
  const QString socket = root + "/fcgiwrap.sock";
  ServerProcess fcgiwrap;
  ASSERT_TRUE(fcgiwrap.Start(
      "/usr/sbin/fcgiwrap", {"-c", "2", "-s", "unix:" + socket}, root + "/fcgiwrap.log",
      [socket] { return QFile::exists(socket); }, &error))
      << error.toStdString();

  const int port = ClosedLoopbackPort();
  const QString config =
      QStringLiteral(
          "%1daemon off;\npid %2/nginx.pid;\nerror_log %2/error.log;\nevents {}\nhttp {\n"
          "  access_log off;\n  client_body_temp_path %2/temp/body;\n"
          "  fastcgi_temp_path %2/temp/fastcgi;\n  proxy_temp_path %2/temp/proxy;\n"
          "  uwsgi_temp_path %2/temp/uwsgi;\n  scgi_temp_path %2/temp/scgi;\n"
          "  server {\n    listen 127.0.0.1:%3;\n    client_max_body_size 300k;\n"
          "    location = /cgi-bin/writefile.cgi {\n"
          "      include /etc/nginx/fastcgi_params;\n"
          "      fastcgi_param SCRIPT_FILENAME %4;\n"
          "      fastcgi_param QUILLORA_SERVICE_CONF %5;\n"
          "      fastcgi_pass unix:%6;\n    }\n"
          "    location ~ ^/($|quill/album(/|$)) {\n"
          "      include /etc/nginx/fastcgi_params;\n"
          "      fastcgi_param SCRIPT_FILENAME %7;\n"
          "      fastcgi_param QUILLORA_SERVICE_CONF %5;\n"
          "      fastcgi_pass unix:%6;\n    }\n  }\n}\n")
          // As root, the workers stay root so that they reach the test's socket.
          .arg(::geteuid() == 0 ? QStringLiteral("user root root;\n") : QString(), root)
          .arg(port)
          .arg(QStringLiteral(QUILLORA_WRITEFILE_CGI), site.ConfigPath(), socket,
               QStringLiteral(QUILLORA_ALBUM_CGI));
  ASSERT_TRUE(WriteText(root + "/nginx.conf", config));
  ServerProcess nginx;
  ASSERT_TRUE(nginx.Start(
      "/usr/sbin/nginx", {"-p", root, "-c", root + "/nginx.conf", "-e", root + "/error.log"},
      root + "/nginx.log", [port] { return AnswersOnLoopback(port); }, &error))
      << error.toStdString();

  HttpRequestSpec request;
  request.url = QStringLiteral("http://127.0.0.1:%1/cgi-bin/writefile.cgi").arg(port);
  request.body = UploadBody({});
  const HttpReply reply = SendHttp(request);
  EXPECT_EQ(reply.status, 200) << reply.error.toStdString() << reply.body.toStdString()
                               << LogTail(root + "/error.log").toStdString();
  EXPECT_TRUE(reply.body.startsWith("OK\r\nalbum="));
  EXPECT_TRUE(site.Sink().WaitForMails(1));
  request.method = "GET";
  EXPECT_EQ(SendHttp(request).status, 405);

  // The pages by the README's location, the album with the picture just sent.
  request.headers = {};
  request.url = QStringLiteral("http://127.0.0.1:%1/").arg(port);
  EXPECT_TRUE(SendHttp(request).body.contains("/quill/album/signup"));
  request.url = QStringLiteral("http://127.0.0.1:%1/quill/album/filelist.php3?num=%2&bLogin=0")
                    .arg(port)
                    .arg(album);
  const HttpReply page = SendHttp(request);
  EXPECT_EQ(page.status, 200);
  EXPECT_TRUE(page.body.contains("/quill/album/picture?id=")) << page.body.toStdString();
}

}  // namespace
