#include "mail/smtp_submission.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Handle = std::unique_ptr<CURL, CurlDeleter>;

struct Upload {
  const std::string* message;
  std::size_t sent = 0;
};

std::size_t ReadMessage(char* buffer, std::size_t size, std::size_t count, void* data) {
  auto* upload = static_cast<Upload*>(data);
  const std::size_t chunk = std::min(upload->message->size() - upload->sent, size * count);
  std::memcpy(buffer, upload->message->data() + upload->sent, chunk);
  upload->sent += chunk;
  return chunk;
}

// A handle set up for the relay; the path of an smtp:// address is the name given in EHLO.
Handle RelayHandle(const RelayConfig& relay, const std::string& heloDomain, std::string& url) {
  Handle curl(curl_easy_init());
  if (!curl) return curl;
  url = "smtp://" + relay.host.toStdString() + ":" + std::to_string(relay.port) + "/" + heloDomain;
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp");
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, static_cast<long>(relay.timeoutSeconds));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(relay.timeoutSeconds));
  return curl;
}

std::string Failure(CURL* handle, CURLcode code, long* reply) {
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, reply);
  return std::string(curl_easy_strerror(code)) + " (reply " + std::to_string(*reply) + ")";
}

}  // namespace

SubmissionResult SubmitMail(const RelayConfig& relay, const std::string& heloDomain,
                            const std::string& from, const std::vector<std::string>& to,
                            const std::string& message) {
  SubmissionResult result;
  std::string url;
  const Handle curl = RelayHandle(relay, heloDomain, url);
  std::unique_ptr<curl_slist, ListDeleter> recipients;
  for (const std::string& mailbox : to) {
    curl_slist* grown = curl_slist_append(recipients.get(), ("<" + mailbox + ">").c_str());
    if (!grown) break;
    static_cast<void>(recipients.release());
    recipients.reset(grown);
  }
  if (!curl || !recipients) {
    result.detail = "cannot set up the transfer";
    return result;
  }
  const std::string sender = "<" + from + ">";
  Upload upload{&message};
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_MAIL_FROM, sender.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
  curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
  curl_easy_setopt(handle, CURLOPT_READFUNCTION, ReadMessage);
  curl_easy_setopt(handle, CURLOPT_READDATA, &upload);

  const CURLcode code = curl_easy_perform(handle);
  if (code == CURLE_OK) {
    result.outcome = SubmissionResult::Outcome::kAccepted;
    return result;
  }
  long reply = 0;
  result.detail = Failure(handle, code, &reply);
  result.outcome =
      reply >= 500 ? SubmissionResult::Outcome::kRefused : SubmissionResult::Outcome::kUnavailable;
  return result;
}

std::string CheckRelay(const RelayConfig& relay, const std::string& heloDomain) {
  std::string url;
  const Handle curl = RelayHandle(relay, heloDomain, url);
  if (!curl) return "cannot set up the transfer";
  curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, "NOOP");
  curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
  const CURLcode code = curl_easy_perform(curl.get());
  long reply = 0;
  return code == CURLE_OK ? std::string() : url + ": " + Failure(curl.get(), code, &reply);
}
