// Uploads to the service on loopback: 8 clients posting for 10 s through lighttpd to
// writefile.cgi, which delivers each mail to the SMTP sink; requests per second and p50/p99
// latency. The anchor is the same lighttpd in the same run answering a trivial CGI that reads
// the body and replies OK.
#include <curl/curl.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "lighttpd_host.h"
#include "protocol/upload_layout.h"
#include "smtp_sink.h"
#include "support/bench_service_site.h"
#include "support/bench_timing.h"

namespace {

constexpr int kClients = 8;
constexpr auto kDuration = std::chrono::seconds(10);

struct Phase {
  double requestsPerSecond = 0;
  double p50 = 0;
  double p99 = 0;
  int failures = 0;
};

std::size_t Ignore(char*, std::size_t size, std::size_t count, void*) { return size * count; }

// kClients threads post `body` to `url` until kDuration has passed.
Phase Load(const std::string& url, const std::string& body) {
  std::vector<std::vector<double>> latencies(kClients);
  std::atomic<int> failures{0};
  const auto deadline = std::chrono::steady_clock::now() + kDuration;
  const auto started = std::chrono::steady_clock::now();
  std::vector<std::thread> clients;
  for (int i = 0; i < kClients; ++i) {
    clients.emplace_back([&, i] {
      CURL* curl = curl_easy_init();
      curl_slist* headers = nullptr;
      for (const char* header :
           {"Accept: image/gif,image/bmp,image/jpeg,*/*", "User-Agent: MOBILE_AGENT",
            "Content-Type: multipart/form-data; boundary=---------------------------7d036b37204d6",
            "Expect:"})
        headers = curl_slist_append(headers, header);
      curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
      curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
      curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
      curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
      curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
      curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
      curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Ignore);
      while (std::chrono::steady_clock::now() < deadline) {
        long status = 0;
        const double ms = Milliseconds([&] {
          if (curl_easy_perform(curl) == CURLE_OK)
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        });
        if (status != 200) ++failures;
        latencies[static_cast<std::size_t>(i)].push_back(ms);
      }
      curl_slist_free_all(headers);
      curl_easy_cleanup(curl);
    });
  }
  for (std::thread& client : clients) client.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::vector<double> all;
  for (const auto& one : latencies) all.insert(all.end(), one.begin(), one.end());
  return {static_cast<double>(all.size()) / seconds, Percentile(all, 0.5), Percentile(all, 0.99),
          failures.load()};
}

int Fail(const QString& why) {
  std::fprintf(stderr, "bench_service: %s\n", why.toUtf8().constData());
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  curl_global_init(CURL_GLOBAL_DEFAULT);
  QTemporaryDir folder;
  const QString root = folder.path();
  QString error;
  SmtpSink sink;
  if (!sink.Start(root + "/sink", &error)) return Fail(error);

  // The limits are far above what the run can send: the figures are the service's work. The
  // service is set up as the README says a deployment should be, with a key for remembering
  // verified passwords.
  QByteArray key(32, '\0');
  for (char& byte : key) byte = static_cast<char>(QRandomGenerator::system()->generate());
  const QString config = QStringLiteral(
                             "[database]\ndriver = sqlite\npath = %1/service.db\n"
                             "[relay]\nport = %2\n"
                             "[limits]\nmails_per_hour = 1000000\nrecipients_per_day = 10000000\n"
                             "[accounts]\nverified_cache_key = %3\n")
                             .arg(root)
                             .arg(sink.Port())
                             .arg(QString::fromLatin1(key.toHex()));
  if (!WriteBenchFile(root + "/service.conf", config.toUtf8()))
    return Fail("cannot write the configuration");
  if (AddBenchAccount(QStringLiteral(QUILLORA_SERVICE_ADMIN), root + "/service.conf") < 0)
    return Fail("user add failed");

  QDir().mkpath(root + "/htdocs/cgi-bin");
  QFile::link(QStringLiteral(QUILLORA_WRITEFILE_CGI), root + "/htdocs/cgi-bin/writefile.cgi");
  QFile::link(QStringLiteral(QUILLORA_ANCHOR_CGI), root + "/htdocs/cgi-bin/anchor.cgi");
  LighttpdHost web;
  if (!web.Start({root + "/htdocs",
                  root + "/web",
                  {{"QUILLORA_SERVICE_CONF", root + "/service.conf"}},
                  {}},
                 &error))
    return Fail(error);

  QFile gif(QStringLiteral(QUILLORA_TEST_GIF));
  if (!gif.open(QIODevice::ReadOnly)) return Fail("the test GIF is missing");
  const QByteArray picture = gif.readAll();
  const UploadFields fields{"bench@example.jp",   "bench-password", "bench@example.jp",
                            "taro@example.ne.jp", "bench",          "message"};
  const std::string body = BuildUploadBody(
      fields, std::string_view(picture.constData(), static_cast<std::size_t>(picture.size())));
  const std::string origin = web.Origin().toStdString();

  const Phase anchor = Load(origin + "/cgi-bin/anchor.cgi", body);
  const Phase service = Load(origin + "/cgi-bin/writefile.cgi", body);
  if (anchor.failures > 0 || service.failures > 0)
    return Fail(QStringLiteral("%1 anchor and %2 service requests failed")
                    .arg(anchor.failures)
                    .arg(service.failures));
  std::printf("BENCH service_rps %.1f req/s anchor=%.1f target=none\n", service.requestsPerSecond,
              anchor.requestsPerSecond);
  std::printf("BENCH service_rps_ratio %.3f ratio anchor=%.1f target=0.5\n",
              service.requestsPerSecond / anchor.requestsPerSecond, anchor.requestsPerSecond);
  std::printf("BENCH service_p50_ms %.1f ms anchor=%.1f target=none\n", service.p50, anchor.p50);
  std::printf("BENCH service_p99_ms %.1f ms anchor=%.1f target=50\n", service.p99, anchor.p99);
  curl_global_cleanup();
  return 0;
}
