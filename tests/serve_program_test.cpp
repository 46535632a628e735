// Whole-program tests of `scenario serve` where it ends by itself: what it
// refuses before it serves. Serving, following the documents and stopping
// are checked in a browser (tests/browser/serve_check.mjs).
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

TEST(ToolServe, RefusesBeforeServing) {
  temp_folder d;
  ASSERT_EQ(esegui(d.path(), {"new", "D"}).stato, 0);
  const std::string L = "D/Vardelia_linea.txt", T = "D/Vardelia_Corvessa-.txt";
  const struct {
    std::vector<std::string> argomenti;
    const char* errore;
  } casi[] = {
      {{"serve", "E/Vardelia_linea.txt", T},
       "scenario: cannot open 'E/Vardelia_linea.txt': No such file or directory\n"},
      {{"serve", L, T, "--port", "65536"},
       "scenario: --port: '65536' is not a whole number from 0 to 65535 (see 'scenario "
       "serve --help')\n"},
      {{"serve", L, T, "-Wno-such"},
       "scenario: -Wno-such: no warning is called 'such' (see 'scenario explain')\n"},
      {{"serve", "D/none_linea.txt", T},
       "scenario: cannot tell the train identifier from 'D/Vardelia_Corvessa-.txt': the "
       "name is not 'none_<train>-.txt' (give it with --train NAME)\n"},
  };
  for (const auto& c : casi) {
    const esito_tool r = esegui(d.path(), c.argomenti);
    EXPECT_EQ(r.stato, 2) << riga_di_comando(c.argomenti) << "\n" << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.errore);
  }
}

TEST(ToolServe, APortTakenIsRefused) {
  temp_folder d;
  ASSERT_EQ(esegui(d.path(), {"new", "D"}).stato, 0);
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(::listen(s, 1), 0);
  socklen_t n = sizeof a;
  ASSERT_EQ(::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n), 0);
  const std::string port = std::to_string(ntohs(a.sin_port));
  const esito_tool r = esegui(d.path(), {"serve", "D/Vardelia_linea.txt",
                                         "D/Vardelia_Corvessa-.txt", "--port", port});
  ::close(s);
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "scenario: cannot listen on 127.0.0.1:" + port + " (is the port taken?)\n");
}

}  // namespace
