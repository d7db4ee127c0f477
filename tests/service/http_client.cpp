#include "http_client.h"

#include <curl/curl.h>

#include <memory>

namespace {

std::size_t KeepBody(char* data, std::size_t size, std::size_t count, void* reply) {
  static_cast<HttpReply*>(reply)->body.append(data, static_cast<qsizetype>(size * count));
  return size * count;
}

std::size_t KeepHeader(char* data, std::size_t size, std::size_t count, void* reply) {
  const QByteArray line = QByteArray(data, static_cast<qsizetype>(size * count)).trimmed();
  const qsizetype colon = line.indexOf(':');
  if (colon > 0)
    static_cast<HttpReply*>(reply)->headers.insert(line.left(colon).trimmed().toLower(),
                                                   line.mid(colon + 1).trimmed());
  return size * count;
}

}  // namespace

QList<QByteArray> UploadRequestHeaders() {
  return {"Accept: image/gif,image/bmp,image/jpeg,*/*", "User-Agent: MOBILE_AGENT",
          "Content-Type: multipart/form-data; boundary=---------------------------7d036b37204d6",
          "Expect:"};
}

HttpReply SendHttp(const HttpRequestSpec& request) {
  HttpReply reply;
  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(),
                                                                 curl_easy_cleanup);
  curl_slist* headers = nullptr;
  for (const QByteArray& header : request.headers)
    headers = curl_slist_append(headers, header.constData());
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(headers,
                                                                               curl_slist_free_all);
  const QByteArray url = request.url.toUtf8();
  const QByteArray caFile = request.caFile.toUtf8();
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.constData());
  curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, 60L);
  curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.method.constData());
  if (request.method == "POST") {
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.constData());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.body.size()));
  }
  if (!caFile.isEmpty()) curl_easy_setopt(handle, CURLOPT_CAINFO, caFile.constData());
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headerList.get());
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, KeepBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &reply);
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, KeepHeader);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &reply);
  const CURLcode code = curl_easy_perform(handle);
  if (code != CURLE_OK) {
    reply.error = QString::fromUtf8(curl_easy_strerror(code));
    reply.status = 0;
    return reply;
  }
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &reply.status);
  return reply;
}
