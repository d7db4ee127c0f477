#include "loopback_peers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr int kPatienceMs = 5000;

int ListenOnLoopback(int backlog, int* port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(fd, backlog);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  *port = ntohs(address.sin_port);
  return fd;
}

bool WaitReadable(int fd) {
  pollfd entry{fd, POLLIN, 0};
  return ::poll(&entry, 1, kPatienceMs) == 1;
}

// The Content-Length a request head announces, 0 when it names none.
std::size_t ContentLength(const std::string& head) {
  std::string lower = head;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const std::size_t at = lower.find("\r\ncontent-length:");
  return at == std::string::npos ? 0 : std::stoul(head.substr(at + 17));
}

// Reads a request from `client` until its head and the body its Content-Length announces
// have arrived, or the client falls silent.
std::string ReceiveRequest(int client) {
  std::string request;
  std::size_t expected = std::string::npos;
  char chunk[4096];
  while (request.size() < expected && WaitReadable(client)) {
    const ssize_t count = ::recv(client, chunk, sizeof chunk, 0);
    if (count <= 0) break;
    request.append(chunk, static_cast<std::size_t>(count));
    const std::size_t headEnd = request.find("\r\n\r\n");
    if (headEnd != std::string::npos)
      expected = headEnd + 4 + ContentLength(request.substr(0, headEnd + 2));
  }
  return request;
}

bool SendAll(int client, std::string_view bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    const ssize_t count = ::send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (count <= 0) return false;
    sent += static_cast<std::size_t>(count);
  }
  return true;
}

}  // namespace

SilentListener::SilentListener() { fd_ = ListenOnLoopback(0, &port_); }

SilentListener::~SilentListener() {
  for (const int client : clients_) ::close(client);
  ::close(fd_);
}

void SilentListener::FillQueue() {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port_));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  for (int i = 0; i < 4; ++i) {
    const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    clients_.push_back(client);
  }
  ::usleep(100 * 1000);  // let the handshakes that can complete do so
}

RecordingPeer::RecordingPeer(std::string reply) : reply_(std::move(reply)) {
  fd_ = ListenOnLoopback(1, &port_);
  thread_ = std::thread([this] { Serve(); });
}

RecordingPeer::~RecordingPeer() {
  if (thread_.joinable()) thread_.join();
  ::close(fd_);
}

const std::string& RecordingPeer::Request() {
  if (thread_.joinable()) thread_.join();
  return request_;
}

void RecordingPeer::Serve() {
  if (!WaitReadable(fd_)) return;
  const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) return;
  request_ = ReceiveRequest(client);
  SendAll(client, reply_);
  ::close(client);
}

TricklingPeer::TricklingPeer() {
  fd_ = ListenOnLoopback(1, &port_);
  thread_ = std::thread([this] { Serve(); });
}

TricklingPeer::~TricklingPeer() {
  if (thread_.joinable()) thread_.join();
  ::close(fd_);
}

void TricklingPeer::Serve() {
  if (!WaitReadable(fd_)) return;
  const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) return;
  ReceiveRequest(client);
  // Without a length the reply ends only when the connection closes.
  bool open = SendAll(client, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n");
  for (int i = 0; open && i < 150; ++i) {
    ::usleep(100 * 1000);
    open = SendAll(client, ".");
  }
  ::close(client);
}
