#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/internet_session.h"

// Whether AddRequestHeaders adds a header whose name the request already carries.
enum class HeaderAddMode {
  Add,       // always add
  AddIfNew,  // keep the header already there
};

// One HTTP request, used in the order: AddRequestHeaders, SendRequestEx with the body length,
// Write, EndRequest, Read until it returns 0, Close. The body is sent with that length
// announced, in one piece: never chunked, never held back for "100 Continue". Every network
// failure throws InternetError with the transfer library's description; the reply's status is
// not judged. Closing (or destroying) the request releases everything it holds.
class HttpRequest {
 public:
  static constexpr std::uint32_t kFlagExistingConnect = 0x20000000;
  static constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;

  // What HttpConnection::OpenRequest hands over.
  struct Target {
    std::string url;
    std::string verb;
    std::string agent;
    ProxyAccess access = ProxyAccess::Preconfigured;
    TransferLimits limits;
    std::uint32_t flags = 0;
  };

  explicit HttpRequest(Target target);
  ~HttpRequest();
  HttpRequest(HttpRequest&&) noexcept;
  HttpRequest& operator=(HttpRequest&&) noexcept;

  // Adds the "Name: value" lines of `block`, split at CR LF; empty lines are skipped. A line
  // without a name, or holding a lone CR or LF, throws InternetError and adds nothing.
  void AddRequestHeaders(std::string_view block, HeaderAddMode mode);
  // Starts the request with a body of exactly `contentLength` bytes.
  void SendRequestEx(std::size_t contentLength);
  // Adds body bytes; more than the announced length throws InternetError.
  void Write(std::string_view data);
  // Sends the request and waits for the reply's status and headers.
  void EndRequest();
  // Copies up to `size` bytes of the reply body into `buffer`; 0 at its end.
  std::size_t Read(char* buffer, std::size_t size);
  // The reply's status code, 0 before it has arrived.
  int StatusCode() const;
  void Close();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
