#include "platform/http_request.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "local_network.h"
#include "loopback_peers.h"
#include "platform/errors.h"
#include "platform/http_connection.h"

namespace {

using namespace std::chrono_literals;

class HttpRequestTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitLocalNetwork()); }

  static HttpRequest Open(int port, TransferLimits limits = {}) {
    const InternetSession session("Quillora", ProxyAccess::Preconfigured, limits);
    HttpConnection connection(session, "127.0.0.1:" + std::to_string(port));
    return connection.OpenRequest(
        "POST", "/cgi-bin/writefile.cgi",
        HttpRequest::kFlagExistingConnect | HttpRequest::kFlagNoAutoRedirect);
  }

  static void Send(HttpRequest& request, const std::string& body) {
    request.SendRequestEx(body.size());
    request.Write(body);
    request.EndRequest();
  }

  static std::string ReadAll(HttpRequest& request) {
    std::string reply;
    char buffer[1023];
    while (const std::size_t count = request.Read(buffer, sizeof buffer))
      reply.append(buffer, count);
    return reply;
  }

  static int CountLines(const std::string& head, const std::string& prefix) {
    int count = 0;
    for (std::size_t at = head.find("\r\n" + prefix); at != std::string::npos;
         at = head.find("\r\n" + prefix, at + 2))
      ++count;
    return count;
  }
};

TEST_F(HttpRequestTest, HeaderBlockIsAddedOnceAndTheBodyGoesWholeWithItsLength) {
  RecordingPeer peer("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  HttpRequest request = Open(peer.Port());
  request.AddRequestHeaders(
      "Accept: image/gif\r\nUser-Agent: MOBILE_AGENT\r\n\r\nContent-Type: x/y\r\n",
      HeaderAddMode::AddIfNew);
  request.AddRequestHeaders("Accept: */*\r\nUser-Agent: other\r\n", HeaderAddMode::AddIfNew);
  // Big enough that a transfer library would otherwise ask for "100 Continue" first.
  std::string body(1100000, '\0');
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 7);
  Send(request, body);
  EXPECT_EQ(ReadAll(request), "ok");
  EXPECT_EQ(request.StatusCode(), 200);

  const std::string& raw = peer.Request();
  const std::size_t headEnd = raw.find("\r\n\r\n");
  ASSERT_NE(headEnd, std::string::npos);
  const std::string head = raw.substr(0, headEnd + 2);
  EXPECT_TRUE(head.starts_with("POST /cgi-bin/writefile.cgi HTTP/1.1\r\n")) << head;
  EXPECT_NE(head.find("\r\nAccept: image/gif\r\n"), std::string::npos) << head;
  EXPECT_NE(head.find("\r\nUser-Agent: MOBILE_AGENT\r\n"), std::string::npos) << head;
  EXPECT_NE(head.find("\r\nContent-Type: x/y\r\n"), std::string::npos) << head;
  EXPECT_NE(head.find("\r\nContent-Length: 1100000\r\n"), std::string::npos) << head;
  EXPECT_EQ(CountLines(head, "Accept:"), 1);
  EXPECT_EQ(CountLines(head, "User-Agent:"), 1);
  EXPECT_EQ(CountLines(head, "Expect:"), 0);
  EXPECT_EQ(CountLines(head, "Transfer-Encoding:"), 0);
  EXPECT_EQ(raw.substr(headEnd + 4), body);
}

TEST_F(HttpRequestTest, LongReplyIsReadToItsEndInSmallPiecesAndRedirectsAreNotFollowed) {
  std::string page(300000, '\0');
  for (std::size_t i = 0; i < page.size(); ++i) page[i] = static_cast<char>((i * 31) ^ (i >> 8));
  RecordingPeer peer(
      "HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/elsewhere\r\n"
      "Content-Length: 300000\r\n\r\n" +
      page);
  HttpRequest request = Open(peer.Port());
  Send(request, "x");
  EXPECT_EQ(request.StatusCode(), 302);
  EXPECT_EQ(ReadAll(request), page);
}

TEST_F(HttpRequestTest, HeaderLinesThatCannotBeSentAsOneHeaderAreRefused) {
  for (const char* block :
       {"NoColon\r\n", ": no name\r\n", "X-A: one\nInjected: two\r\n", "X-A: one\rtwo\r\n",
        "Bad Name: x\r\n", "X-Ok: fine\r\nX-A: a\x01\r\n"}) {
    HttpRequest request = Open(80);
    EXPECT_THROW(request.AddRequestHeaders(block, HeaderAddMode::Add), InternetError) << block;
  }
}

TEST_F(HttpRequestTest, BodyMustMatchTheAnnouncedLength) {
  HttpRequest longer = Open(80);
  longer.SendRequestEx(3);
  EXPECT_THROW(longer.Write("four"), InternetError);
  HttpRequest shorter = Open(80);
  shorter.SendRequestEx(3);
  shorter.Write("ab");
  EXPECT_THROW(shorter.EndRequest(), InternetError);
}

struct ServerCase {
  const char* server;
  const char* host;  // nullptr: refused
  int port;
  bool secure = false;
};

TEST_F(HttpRequestTest, ServerNamesHostAndOptionalPort) {
  const InternetSession session("Quillora");
  const ServerCase cases[] = {
      {"example.jp", "example.jp", 80},
      {"127.0.0.1:8080", "127.0.0.1", 8080},
      {"[::1]:81", "[::1]", 81},
      {"[::1]", "[::1]", 80},
      {"", nullptr, 0},
      {"a/b", nullptr, 0},
      {"user@example.jp", nullptr, 0},
      {"example.jp:0", nullptr, 0},
      {"example.jp:70000", nullptr, 0},
      {"example.jp:", nullptr, 0},
      {"example.jp:80x", nullptr, 0},
      {" example.jp", nullptr, 0},
      {"example.jp?x", nullptr, 0},
      {"[::1]x", nullptr, 0},
      {"https://quill.example.jp", "quill.example.jp", 443, true},
      {"HTTPS://127.0.0.1:8443/", "127.0.0.1", 8443, true},
      {"http://quill.example.jp:8080", "quill.example.jp", 8080},
      {"https://[::1]", "[::1]", 443, true},
      {"ftp://quill.example.jp", nullptr, 0},
      {"https://", nullptr, 0},
      {"https://user@quill.example.jp", nullptr, 0},
      {"https://quill.example.jp/album", nullptr, 0},
      {"https://https://quill.example.jp", nullptr, 0},
  };
  for (const ServerCase& c : cases) {
    if (!c.host) {
      EXPECT_THROW(HttpConnection(session, c.server), InternetError) << c.server;
      continue;
    }
    const HttpConnection connection(session, c.server);
    EXPECT_EQ(connection.Host(), c.host) << c.server;
    EXPECT_EQ(connection.Port(), c.port) << c.server;
    EXPECT_EQ(connection.Secure(), c.secure) << c.server;
  }
}

// A server that takes the connection and never answers, or never completes it, is given up
// after the limits instead of blocking for ever.
TEST_F(HttpRequestTest, SilentServerFailsAfterTheStallLimit) {
  SilentListener listener;
  HttpRequest request = Open(listener.Port(), {.connectTimeout = 5s, .stallTime = 1s});
  const auto start = std::chrono::steady_clock::now();
  request.SendRequestEx(1);
  request.Write("x");
  EXPECT_THROW(request.EndRequest(), InternetError);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

TEST_F(HttpRequestTest, UnansweredConnectionFailsAfterTheConnectLimit) {
  SilentListener listener;
  listener.FillQueue();
  // Were the connection made, only the much longer stall limit would end the wait.
  HttpRequest request = Open(listener.Port(), {.connectTimeout = 500ms, .stallTime = 5s});
  const auto start = std::chrono::steady_clock::now();
  request.SendRequestEx(1);
  request.Write("x");
  try {
    request.EndRequest();
    ADD_FAILURE() << "no error";
  } catch (const InternetError& error) {
    EXPECT_FALSE(error.Description().isEmpty());
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

}  // namespace
