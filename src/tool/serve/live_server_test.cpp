#include "tool/serve/live_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <nlohmann/json.hpp>
#include <string>

namespace {

// What the server is asked, before it looks at what it serves.
TEST(RequestRefusal, OnlyItsOwnHostPathsAndMethods) {
  const int port = 8123;
  const struct {
    const char* method;
    const char* path;
    const char* host;
    const char* origin;
    int refusal;
  } cases[] = {
      {"GET", "/", "127.0.0.1:8123", "", 0},
      {"HEAD", "/", "127.0.0.1:8123", "", 0},
      {"GET", "/events", "localhost:8123", "", 0},
      {"GET", "/events", "LocalHost:8123", "http://127.0.0.1:8123", 0},
      // DNS rebinding: a name of the attacker's that now leads here.
      {"GET", "/", "rebind.example:8123", "", 403},
      {"GET", "/", "127.0.0.1:8124", "", 403},
      {"GET", "/", "127.0.0.1", "", 403},
      {"GET", "/", "127.0.0.1:8123x", "", 403},
      {"GET", "/", "127.0.0.1:81230", "", 403},
      {"GET", "/", "", "", 403},
      {"GET", "/", "[::1]:8123", "", 403},
      {"POST", "/nowhere", "evil.example", "", 403},  // before anything else
      {"GET", "/events", "127.0.0.1:8123", "http://evil.example", 403},
      {"GET", "/events", "127.0.0.1:8123", "null", 403},
      {"GET", "/events", "127.0.0.1:8123", "https://127.0.0.1:8123", 403},
      {"GET", "/index.html", "127.0.0.1:8123", "", 404},
      {"GET", "/events/", "127.0.0.1:8123", "", 404},
      {"GET", "/../etc/passwd", "127.0.0.1:8123", "", 404},
      {"GET", "", "127.0.0.1:8123", "", 404},
      {"POST", "/x", "127.0.0.1:8123", "", 404},
      {"POST", "/", "127.0.0.1:8123", "", 405},
      {"PUT", "/events", "127.0.0.1:8123", "", 405},
      {"DELETE", "/", "127.0.0.1:8123", "", 405},
      {"OPTIONS", "/events", "127.0.0.1:8123", "", 405},
      {"TRACE", "/", "127.0.0.1:8123", "", 405},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(request_refusal(c.method, c.path, c.host, c.origin, port), c.refusal)
        << c.method << " " << c.path << " Host " << c.host << " Origin " << c.origin;
  }
  // On HTTP's own port a browser names no port.
  EXPECT_EQ(request_refusal("GET", "/", "localhost", "http://localhost", 80), 0);
}

TEST(UpdateEvent, ThePageOnlyWhenTheOneShownIsOlder) {
  const nlohmann::json newer =
      nlohmann::json::parse(update_event(7, 5, "<p>\r\n</p>", "", 4));
  EXPECT_EQ(newer, nlohmann::json::parse(R"({"versione": 7, "problema": "",
      "versione_pagina": 5, "pagina": "<p>\r\n</p>"})"));
  const std::string same = update_event(8, 5, "<p/>", "cannot open 'x'", 5);
  EXPECT_EQ(nlohmann::json::parse(same),
            nlohmann::json::parse(R"({"versione": 8, "problema": "cannot open 'x'"})"));
  // One line: an event's data ends at the first line end.
  EXPECT_EQ(update_event(7, 5, "a\nb\rc", "", 4).find_first_of("\r\n"),
            std::string::npos);
}

// --- The server itself, spoken to over a socket.

int connect_to(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    ::close(s);
    return -1;
  }
  return s;
}

// Reads what comes until the connection closes, `until` has come, or
// `milliseconds` pass.
std::string read_from(int s, const std::string& until = "", int milliseconds = 3000) {
  std::string got;
  const auto end =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    pollfd p{s, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char buffer[65536];
    const ssize_t n = ::read(s, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<size_t>(n));
    if (!until.empty() && got.find(until) != std::string::npos) break;
  }
  return got;
}

std::string ask(int port, const std::string& request) {
  const int s = connect_to(port);
  if (s < 0) return "";
  [[maybe_unused]] const ssize_t n = ::write(s, request.data(), request.size());
  std::string got = read_from(s);
  ::close(s);
  return got;
}

class LiveServer : public ::testing::Test {
 protected:
  void SetUp() override {
    server.publish(1, "<p>first page</p>", "");
    ASSERT_EQ(server.start(0), "");
    port = server.port();
    host = "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";
  }
  live_server server;
  int port = 0;
  std::string host;
};

TEST_F(LiveServer, ServesThePageAndRefusesTheRestOverTheWire) {
  const std::string page =
      ask(port, "GET / HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n");
  EXPECT_EQ(page.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << page;
  EXPECT_NE(page.find("Content-Type: text/html; charset=utf-8"), std::string::npos);
  EXPECT_NE(page.find("Content-Security-Policy: default-src 'none'"), std::string::npos);
  EXPECT_NE(page.find("\r\n\r\n<p>first page</p>"), std::string::npos);

  const std::string foreign =
      ask(port, "GET / HTTP/1.1\r\nHost: rebind.example:" + std::to_string(port) +
                    "\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(foreign.rfind("HTTP/1.1 403 ", 0), 0u) << foreign;
  EXPECT_EQ(foreign.find("first page"), std::string::npos);
  EXPECT_EQ(ask(port, "GET /x HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n")
                .rfind("HTTP/1.1 404 ", 0),
            0u);
  // A request the server does not read the body of: the body is not taken
  // for a second request, the connection ends with the refusal.
  const std::string smuggled =
      "GET / HTTP/1.1\r\n" + host + "X-Pad: " + std::string(20, 'p') + "\r\n\r\n";
  const std::string post =
      ask(port, "POST / HTTP/1.1\r\n" + host + "Content-Length: " +
                    std::to_string(smuggled.size()) + "\r\n\r\n" + smuggled);
  EXPECT_EQ(post.rfind("HTTP/1.1 405 ", 0), 0u) << post;
  EXPECT_NE(post.find("Allow: GET, HEAD\r\n"), std::string::npos);
  EXPECT_EQ(post.find("first page"), std::string::npos) << post;
  // Not a method at all.
  EXPECT_EQ(ask(port, "BREW / HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n")
                .rfind("HTTP/1.1 400 ", 0),
            0u);
}

TEST_F(LiveServer, SendsEachUpdateToTheOpenPages) {
  const int s = connect_to(port);
  ASSERT_GE(s, 0);
  const std::string request = "GET /events?v=1 HTTP/1.1\r\n" + host + "\r\n";
  ASSERT_EQ(::write(s, request.data(), request.size()),
            static_cast<ssize_t>(request.size()));
  // First what the page is told at once: no newer page, no problem.
  const std::string first = read_from(s, "\"versione\":1");
  EXPECT_NE(first.find("Content-Type: text/event-stream"), std::string::npos) << first;
  EXPECT_NE(first.find("data: {\"problema\":\"\",\"versione\":1}"), std::string::npos)
      << first;

  server.publish(2, "<p>second page</p>", "");
  const std::string second = read_from(s, "\"versione\":2");
  EXPECT_NE(second.find("<p>second page</p>"), std::string::npos) << second;

  server.publish(2, "<p>second page</p>", "cannot open 'L'");
  const std::string third = read_from(s, "\"versione\":3");
  EXPECT_NE(third.find("\"problema\":\"cannot open 'L'\""), std::string::npos) << third;
  EXPECT_EQ(third.find("second page"), std::string::npos)
      << "the page it has is not sent";
  // The page it serves is the newest.
  EXPECT_NE(ask(port, "GET / HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n")
                .find("second page"),
            std::string::npos);

  // Stopping closes the stream.
  server.stop();
  const std::string rest = read_from(s);
  EXPECT_EQ(rest.find("versione"), std::string::npos);
  ::close(s);
  EXPECT_LT(connect_to(port), 0) << "nothing listens any more";
}

TEST_F(LiveServer, APortTakenIsAFailure) {
  live_server other;
  const std::string failure = other.start(port);
  EXPECT_EQ(failure, "cannot listen on 127.0.0.1:" + std::to_string(port) +
                         " (is the port taken?)");
}

}  // namespace
