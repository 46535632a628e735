#include "tool/serve/live_session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/temp_folder.h"
#include "tool/session/in_memory_build.h"

namespace {

const std::string linea =
    "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n[fine]\r\n";
const std::string treno =
    "[generale]\r\nstazione,1000,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,A\r\n"
    "segnale, 1500, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\r\n[fine]\r\n";

// Reading, a save that changes nothing, a change, a document gone and
// back: what the page is told each time.
TEST(LiveSession, BuildsAgainOnlyWhenTheDocumentsChange) {
  temp_folder d;
  write_bytes(d.file("L_linea.txt"), linea);
  write_bytes(d.file("L_T-.txt"), treno);
  opzioni_build o;
  o.sorgente_linea = d.file("L_linea.txt");
  o.sorgente_treno = d.file("L_T-.txt");
  live_session s;
  ASSERT_EQ(s.prepare(o), "");

  ASSERT_EQ(s.refresh(1), live_session::outcome::rebuilt);
  EXPECT_NE(s.page().find("<body data-dal-vivo=\"1\">"), std::string::npos);
  EXPECT_FALSE(s.build().errori());
  EXPECT_TRUE(s.build().reperti.empty());
  EXPECT_EQ(s.refresh(2), live_session::outcome::same);
  EXPECT_EQ(s.page_version(), 1u);

  // The signal row copied: the same cell taken twice.
  const std::string copia = "segnale, 1500, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\r\n";
  std::string doppio = treno;
  doppio.insert(doppio.find("[fine]"), copia);
  write_bytes(d.file("L_T-.txt"), doppio);
  ASSERT_EQ(s.refresh(3), live_session::outcome::rebuilt);
  EXPECT_EQ(s.page_version(), 3u);
  EXPECT_NE(s.page().find("signal-cell-taken"), std::string::npos);
  EXPECT_TRUE(s.build().errori());

  std::rename(d.file("L_linea.txt").c_str(), d.file("away.txt").c_str());
  ASSERT_EQ(s.refresh(4), live_session::outcome::unreadable);
  EXPECT_NE(s.problem().find("cannot open '" + d.file("L_linea.txt") + "'"),
            std::string::npos)
      << s.problem();
  EXPECT_EQ(s.page_version(), 3u) << "the last page stays";

  std::rename(d.file("away.txt").c_str(), d.file("L_linea.txt").c_str());
  EXPECT_EQ(s.refresh(5), live_session::outcome::readable);
  EXPECT_EQ(s.problem(), "");
  EXPECT_EQ(s.page_version(), 3u);
}

TEST(LiveSession, UsageErrorsBeforeAnythingIsRead) {
  opzioni_build o;
  o.sorgente_linea = "nowhere/X_linea.txt";
  o.sorgente_treno = "nowhere/X_T-.txt";
  o.avvisi = {"no-such-warning"};
  live_session s;
  EXPECT_NE(s.prepare(o).find("no warning is called 'such-warning'"), std::string::npos);
}

}  // namespace
