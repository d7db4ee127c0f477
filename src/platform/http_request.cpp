#include "http_request.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/errors.h"

namespace {

// Reply bytes held between reads; beyond this the transfer waits until the reader catches up.
constexpr std::size_t kReplyWindow = 64 * 1024;

NetworkFailure FailureOf(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return NetworkFailure::NameNotFound;
    case CURLE_COULDNT_CONNECT:
      return NetworkFailure::Refused;
    case CURLE_OPERATION_TIMEDOUT:
      return NetworkFailure::TimedOut;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
      return NetworkFailure::Broken;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_USE_SSL_FAILED:
      return NetworkFailure::Tls;
    case CURLE_ABORTED_BY_CALLBACK:
      return NetworkFailure::Cancelled;
    default:
      return NetworkFailure::Other;
  }
}

[[noreturn]] void ThrowCode(CURLcode code) {
  throw InternetError(QString::fromUtf8(curl_easy_strerror(code)), FailureOf(code));
}

[[noreturn]] void ThrowMisuse() { ThrowCode(CURLE_BAD_FUNCTION_ARGUMENT); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

bool IsTokenChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u > 0x20 && u < 0x7F &&
         std::string_view("()<>@,;:\\\"/[]?={}").find(c) == std::string_view::npos;
}

struct Header {
  std::string name;
  std::string value;
};

// Splits a header block into its lines; throws when a line cannot be sent as one header.
std::vector<Header> ParseHeaderBlock(std::string_view block) {
  std::vector<Header> headers;
  while (!block.empty()) {
    const std::size_t end = block.find("\r\n");
    const std::string_view line = block.substr(0, end);
    block.remove_prefix(end == std::string_view::npos ? block.size() : end + 2);
    if (line.empty()) continue;
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) ThrowMisuse();
    const std::string_view name = line.substr(0, colon);
    if (!std::ranges::all_of(name, IsTokenChar)) ThrowMisuse();
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    // A lone CR or LF (or any other control byte) would end the header early.
    if (std::ranges::any_of(value, [](char c) {
          const auto u = static_cast<unsigned char>(c);
          return (u < 0x20 && c != '\t') || u == 0x7F;
        }))
      ThrowMisuse();
    headers.push_back({std::string(name), std::string(value)});
  }
  return headers;
}

}  // namespace

struct HttpRequest::Impl {
  explicit Impl(Target t) : target(std::move(t)) {}
  ~Impl() { Release(); }

  Target target;
  std::vector<Header> headers;
  std::string body;
  std::size_t announced = 0;
  bool sending = false;

  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  curl_slist* headerList = nullptr;
  char errorText[CURL_ERROR_SIZE] = {};

  int status = 0;
  bool headersDone = false;
  bool finished = false;
  CURLcode result = CURLE_OK;
  std::string pending;
  std::size_t pendingPos = 0;
  bool paused = false;

  bool HasHeader(std::string_view name) const {
    return std::ranges::any_of(headers,
                               [&](const Header& h) { return EqualsIgnoringCase(h.name, name); });
  }

  void Release() {
    if (multi && easy) curl_multi_remove_handle(multi, easy);
    if (easy) curl_easy_cleanup(easy);
    if (multi) curl_multi_cleanup(multi);
    if (headerList) curl_slist_free_all(headerList);
    easy = nullptr;
    multi = nullptr;
    headerList = nullptr;
    std::string().swap(body);
    std::string().swap(pending);
    pendingPos = 0;
  }

  [[noreturn]] void ThrowResult() const {
    if (errorText[0] != '\0') throw InternetError(QString::fromUtf8(errorText), FailureOf(result));
    ThrowCode(result);
  }

  void Check(CURLcode code) {
    if (code == CURLE_OK) return;
    result = code;
    ThrowResult();
  }

  static void CheckMulti(CURLMcode code) {
    if (code != CURLM_OK) throw InternetError(QString::fromUtf8(curl_multi_strerror(code)));
  }

  void CollectResult() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
      if (message->msg != CURLMSG_DONE) continue;
      finished = true;
      result = message->data.result;
    }
  }

  bool Cancelled() const { return target.limits.cancel && target.limits.cancel->load(); }

  // Runs the transfer until `ready` holds or it has finished; a failed transfer throws.
  template <typename Ready>
  void Drive(Ready ready) {
    // Wakes at least once a second so the time limits are checked, and often enough to end at
    // once when the transfer may be cancelled.
    const int wait = target.limits.cancel ? 50 : 1000;
    while (!finished && !ready()) {
      if (Cancelled()) ThrowCode(CURLE_ABORTED_BY_CALLBACK);
      int running = 0;
      CheckMulti(curl_multi_perform(multi, &running));
      CollectResult();
      if (finished || ready()) break;
      CheckMulti(curl_multi_poll(multi, nullptr, 0, wait, nullptr));
    }
    if (finished && result != CURLE_OK) ThrowResult();
  }

  static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto* self = static_cast<Impl*>(user);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
      const std::size_t space = line.find(' ');
      self->status = space == std::string_view::npos ? 0 : std::atoi(line.data() + space + 1);
      self->headersDone = false;
    } else if (line == "\r\n" || line == "\n") {
      // Interim replies (1xx) are followed by the real one.
      if (self->status >= 200) self->headersDone = true;
    }
    return size * count;
  }

  static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* self = static_cast<Impl*>(user);
    if (self->pendingPos == self->pending.size()) {
      self->pending.clear();
      self->pendingPos = 0;
    }
    if (self->pending.size() - self->pendingPos >= kReplyWindow) {
      self->paused = true;
      return CURL_WRITEFUNC_PAUSE;
    }
    self->pending.append(data, size * count);
    return size * count;
  }

  void Start() {
    easy = curl_easy_init();
    multi = curl_multi_init();
    if (!easy || !multi) ThrowCode(CURLE_OUT_OF_MEMORY);
    Check(curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText));
    Check(curl_easy_setopt(easy, CURLOPT_URL, target.url.c_str()));
    // Exactly the scheme asked for: a secure request never falls back to plain HTTP.
    const char* scheme = target.url.starts_with("https:") ? "https" : "http";
    Check(curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, scheme));
    Check(curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, scheme));
    Check(curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L));
    Check(curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L));
    if (!target.limits.certificateAuthorities.empty())
      Check(curl_easy_setopt(easy, CURLOPT_CAINFO, target.limits.certificateAuthorities.c_str()));
    Check(curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L));
    Check(curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1)));
    Check(curl_easy_setopt(easy, CURLOPT_USERAGENT, target.agent.c_str()));
    const bool follow = (target.flags & kFlagNoAutoRedirect) == 0;
    Check(curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L));
    Check(curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 20L));
    // An empty proxy string overrides the proxy variables.
    if (target.access == ProxyAccess::Direct) Check(curl_easy_setopt(easy, CURLOPT_PROXY, ""));
    Check(curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                           long(std::max<long long>(1, target.limits.connectTimeout.count()))));
    if (target.limits.totalTime.count() > 0)
      Check(curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, long(target.limits.totalTime.count())));
    if (target.limits.stallTime.count() > 0) {
      Check(curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L));
      Check(curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, long(target.limits.stallTime.count())));
    }

    if (target.verb == "GET") {
      if (announced != 0) ThrowMisuse();
      Check(curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L));
    } else {
      Check(curl_easy_setopt(easy, CURLOPT_POST, 1L));
      Check(curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body.data()));
      Check(curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(announced)));
      if (target.verb != "POST")
        Check(curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, target.verb.c_str()));
    }

    for (const Header& header : headers) {
      // "Name;" is the library's way of sending a header with an empty value.
      const std::string line =
          header.value.empty() ? header.name + ";" : header.name + ": " + header.value;
      AppendHeaderLine(line.c_str());
    }
    // The body goes at once, without waiting for "100 Continue"; a body without a declared type
    // gets none rather than the library's form type.
    if (!HasHeader("Expect")) AppendHeaderLine("Expect:");
    if (!HasHeader("Content-Type")) AppendHeaderLine("Content-Type:");
    Check(curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList));

    Check(curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Impl::OnHeader));
    Check(curl_easy_setopt(easy, CURLOPT_HEADERDATA, this));
    Check(curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Impl::OnBody));
    Check(curl_easy_setopt(easy, CURLOPT_WRITEDATA, this));
    CheckMulti(curl_multi_add_handle(multi, easy));
  }

  void AppendHeaderLine(const char* line) {
    curl_slist* list = curl_slist_append(headerList, line);
    if (!list) ThrowCode(CURLE_OUT_OF_MEMORY);
    headerList = list;
  }
};

HttpRequest::HttpRequest(Target target) : impl_(std::make_unique<Impl>(std::move(target))) {}
HttpRequest::~HttpRequest() = default;
HttpRequest::HttpRequest(HttpRequest&&) noexcept = default;
HttpRequest& HttpRequest::operator=(HttpRequest&&) noexcept = default;

void HttpRequest::AddRequestHeaders(std::string_view block, HeaderAddMode mode) {
  if (impl_->easy) ThrowMisuse();
  for (Header& header : ParseHeaderBlock(block)) {
    if (mode == HeaderAddMode::AddIfNew && impl_->HasHeader(header.name)) continue;
    impl_->headers.push_back(std::move(header));
  }
}

void HttpRequest::SendRequestEx(std::size_t contentLength) {
  if (impl_->sending) ThrowMisuse();
  impl_->sending = true;
  impl_->announced = contentLength;
  impl_->body.reserve(contentLength);
}

void HttpRequest::Write(std::string_view data) {
  Impl& d = *impl_;
  if (!d.sending || d.easy) ThrowMisuse();
  if (data.size() > d.announced - d.body.size()) ThrowCode(CURLE_SEND_ERROR);
  d.body.append(data);
}

void HttpRequest::EndRequest() {
  Impl& d = *impl_;
  if (!d.sending || d.easy) ThrowMisuse();
  // Sending fewer bytes than announced would leave the server waiting for the rest.
  if (d.body.size() != d.announced) ThrowCode(CURLE_SEND_ERROR);
  d.Start();
  d.Drive([&d] { return d.headersDone; });
}

std::size_t HttpRequest::Read(char* buffer, std::size_t size) {
  Impl& d = *impl_;
  if (!d.easy || size == 0) return 0;
  if (d.pendingPos == d.pending.size()) {
    if (d.paused) {
      d.paused = false;
      d.Check(curl_easy_pause(d.easy, CURLPAUSE_CONT));
    }
    d.Drive([&d] { return d.pendingPos < d.pending.size(); });
  }
  const std::size_t count = std::min(size, d.pending.size() - d.pendingPos);
  std::memcpy(buffer, d.pending.data() + d.pendingPos, count);
  d.pendingPos += count;
  return count;
}

int HttpRequest::StatusCode() const { return impl_->status; }

void HttpRequest::Close() { impl_->Release(); }
