// The public album page of an account with 1,000 pictures, SQLite: 500 requests one after
// another on loopback through lighttpd to album.cgi, p99 latency. The anchor is the same
// lighttpd in the same run answering a trivial CGI program as often.
#include <curl/curl.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "lighttpd_host.h"
#include "store/account_store.h"
#include "store/database.h"
#include "store/picture_store.h"
#include "support/bench_service_site.h"
#include "support/bench_timing.h"

namespace {

constexpr int kPictures = 1000;
constexpr int kRequests = 500;
constexpr int kWarmUp = 20;

std::size_t Keep(char* data, std::size_t size, std::size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

struct Run {
  std::vector<double> latencies;
  int failures = 0;
  std::string lastBody;
};

// kWarmUp requests, then kRequests measured ones, on one connection.
Run Measure(const std::string& url) {
  Run run;
  CURL* curl = curl_easy_init();
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Keep);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &run.lastBody);
  for (int i = 0; i < kWarmUp + kRequests; ++i) {
    run.lastBody.clear();
    long status = 0;
    const double ms = Milliseconds([&] {
      if (curl_easy_perform(curl) == CURLE_OK)
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    });
    if (status != 200) ++run.failures;
    if (i >= kWarmUp) run.latencies.push_back(ms);
  }
  curl_easy_cleanup(curl);
  return run;
}

int Fail(const QString& why) {
  std::fprintf(stderr, "bench_album: %s\n", why.toUtf8().constData());
  return 1;
}

// Keeps kPictures pictures for the account as writefile.cgi keeps them.
bool KeepPictures(const DatabaseConfig& config, qint64 albumNumber) {
  Database database(config, Database::Creation::kRefused);
  database.Run(QStringLiteral("PRAGMA synchronous=OFF"));  // this connection only: set-up speed
  const auto account = AccountStore(database).ByAlbumNumber(albumNumber);
  QFile gif(QStringLiteral(QUILLORA_TEST_GIF));
  if (!account || !gif.open(QIODevice::ReadOnly)) return false;
  const QByteArray picture = gif.readAll();
  PictureStore pictures(database);
  for (int i = 0; i < kPictures; ++i) {
    const PictureRecord record{0,
                               account->id,
                               1'800'000'000 + 60 * i,
                               QStringLiteral("写真 %1 <夏>").arg(i),
                               1,
                               "image/gif",
                               picture,
                               24,
                               20};
    const auto id = pictures.Reserve(record, {1000000, 10000000});
    if (!std::holds_alternative<qint64>(id)) return false;
    pictures.MarkDelivered(std::get<qint64>(id));
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  curl_global_init(CURL_GLOBAL_DEFAULT);
  QTemporaryDir folder;
  const QString root = folder.path();
  DatabaseConfig database;
  database.path = root + "/service.db";
  if (!WriteBenchFile(
          root + "/service.conf",
          QStringLiteral("[database]\ndriver = sqlite\npath = %1\n").arg(database.path).toUtf8()))
    return Fail("cannot write the configuration");

  const qint64 album =
      AddBenchAccount(QStringLiteral(QUILLORA_SERVICE_ADMIN), root + "/service.conf");
  if (album < 0) return Fail("user add failed");
  if (!KeepPictures(database, album)) return Fail("cannot keep the pictures");

  QDir().mkpath(root + "/htdocs/cgi-bin");
  QFile::link(QStringLiteral(QUILLORA_ANCHOR_CGI), root + "/htdocs/cgi-bin/anchor.cgi");
  LighttpdSite site{
      root + "/htdocs", root + "/web", {{"QUILLORA_SERVICE_CONF", root + "/service.conf"}}, {}};
  site.extraConfig = QStringLiteral(
                         "server.modules += (\"mod_alias\")\n"
                         "alias.url = (\"/quill/album\" => \"%1\")\n")
                         .arg(QStringLiteral(QUILLORA_ALBUM_CGI));
  LighttpdHost web;
  QString error;
  if (!web.Start(site, &error)) return Fail(error);
  const std::string origin = web.Origin().toStdString();

  const Run anchor = Measure(origin + "/cgi-bin/anchor.cgi");
  const Run page =
      Measure(origin + "/quill/album/filelist.php3?num=" + std::to_string(album) + "&bLogin=0");
  if (anchor.failures > 0 || page.failures > 0)
    return Fail(QStringLiteral("%1 anchor and %2 page requests failed")
                    .arg(anchor.failures)
                    .arg(page.failures));
  // The page measured is the full one: forty pictures of the thousand.
  std::size_t shown = 0;
  for (std::size_t at = 0;
       (at = page.lastBody.find("<li class=\"picture\">", at)) != std::string::npos; ++at)
    ++shown;
  if (shown != 40) return Fail(QStringLiteral("the page shows %1 pictures").arg(shown));
  std::printf("BENCH album_page_p50_ms %.1f ms anchor=%.1f target=none\n",
              Percentile(page.latencies, 0.5), Percentile(anchor.latencies, 0.5));
  std::printf("BENCH album_page_p99_ms %.1f ms anchor=%.1f target=20\n",
              Percentile(page.latencies, 0.99), Percentile(anchor.latencies, 0.99));
  curl_global_cleanup();
  return 0;
}
