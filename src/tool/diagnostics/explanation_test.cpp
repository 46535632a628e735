#include "tool/diagnostics/explanation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario/findings.h"

namespace {

// The first line of each finding an explanation gives, in order.
std::vector<std::string> titoli(const std::string& testo) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < testo.size()) {
    const size_t fine = testo.find('\n', i);
    const std::string riga = testo.substr(i, fine - i);
    if (!riga.empty() && riga[0] != ' ') out.push_back(riga);
    if (fine == std::string::npos) break;
    i = fine + 1;
  }
  return out;
}

// The text with its lines joined, as a sentence reads across them.
std::string una_riga(const std::string& t) {
  std::string out;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t.compare(i, 3, "\n  ") == 0) {
      out += ' ';
      i += 2;
    } else {
      out += t[i];
    }
  }
  return out;
}

TEST(Spiegazione, ByNameOptionStatusCodeAndErrorBoxNumber) {
  const struct {
    const char* parola;
    std::vector<std::string> atteso;
  } casi[] = {
      {"signal-cell-taken", {"signal-cell-taken (error, status 16)"}},
      {"16", {"signal-cell-taken (error, status 16)"}},
      {"-Wtab", {"tab (warning, -Wtab)"}},
      {"tab", {"tab (warning, -Wtab)"}},
      {"1250", {"reserved-cell-1-taken (error, error box 1250)"}},
      {"1251", {"reserved-race-code-taken (error, error box 1251)"}},
      {"103",
       {"curve-without-radius (error, status 103)",
        "curve-past-limit (error, status 103)"}},
  };
  for (const auto& c : casi) {
    const std::optional<std::string> t = spiegazione(c.parola);
    ASSERT_TRUE(t) << c.parola;
    EXPECT_EQ(titoli(*t), c.atteso) << c.parola;
  }
}

// 25 is recorded for every cause of the reading failure: each is listed.
TEST(Spiegazione, StatusCodeOfTheReadingFailureListsEveryCause) {
  const std::optional<std::string> t = spiegazione("25");
  ASSERT_TRUE(t);
  std::vector<std::string> attesi;
  for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i) {
    const descrizione_reperto& d = descrivi(static_cast<reperto_id>(i));
    if (d.codice == 25) attesi.push_back(std::string(d.nome) + " (error, status 25)");
  }
  EXPECT_GE(attesi.size(), 10u);
  EXPECT_EQ(titoli(*t), attesi);
}

// A row by its keyword, letter case aside: its reference (document, how it
// is recognised, its fields in order, an example row) and the findings whose
// example holds one.
TEST(Spiegazione, ARowByItsKeyword) {
  for (const char* parola : {"stazione", "STAZIONE", "Stazione"}) {
    std::optional<std::string> t = spiegazione(parola);
    ASSERT_TRUE(t) << parola;
    EXPECT_EQ(t->substr(0, t->find('\n')), "stazione (a row of the train source)");
    EXPECT_NE(t->find("    stazione, posizione, tipo, lunghezza, opzione_1, opzione_5, "
                      "opzione_4,"),
              std::string::npos)
        << *t;
    EXPECT_NE(t->find("For example:\n\n    stazione,    5400, 12,"), std::string::npos)
        << *t;
    t = una_riga(*t);
    EXPECT_NE(t->find("Read only in the train source, block [stazioni]."),
              std::string::npos)
        << *t;
    for (const char* nome : {"station-not-on-50", "stations-too-close", "overwritten"})
      EXPECT_NE(t->find(nome), std::string::npos) << nome;
    EXPECT_EQ(t->find("signal-cell-taken"), std::string::npos) << "no signal row in it";
  }
  std::optional<std::string> header = spiegazione("progressiva chilometrica uno");
  ASSERT_TRUE(header);
  header = una_riga(*header);
  EXPECT_NE(header->find("in lower case only"), std::string::npos) << *header;
  EXPECT_NE(header->find("the line source's header"), std::string::npos) << *header;
  const std::optional<std::string> curva = spiegazione("curva");
  ASSERT_TRUE(curva);
  EXPECT_EQ(curva->substr(0, curva->find('\n')), "curvas1 (a row of the line source)");
  EXPECT_NE(curva->find("curve-without-radius"), std::string::npos) << *curva;
}

// The mountain's type from 11 up: type minus 10, with markers.
TEST(Spiegazione, TheMountainTypeAndItsMarkers) {
  const std::optional<std::string> t = spiegazione("montagna");
  ASSERT_TRUE(t);
  EXPECT_NE(una_riga(*t).find("11 to 265: type minus 10, with markers"),
            std::string::npos)
      << *t;
}

// A block by its name, with or without its brackets: "generale" names one
// block of each document.
TEST(Spiegazione, ABlockByItsName) {
  for (const char* parola : {"[curve]", "curve", "[CURVE]"}) {
    const std::optional<std::string> t = spiegazione(parola);
    ASSERT_TRUE(t) << parola;
    EXPECT_EQ(t->substr(0, t->find('\n')), "[curve] (a block of the line source)") << *t;
    EXPECT_NE(t->find("Rows: curvas1."), std::string::npos) << *t;
  }
  const std::optional<std::string> g = spiegazione("generale");
  ASSERT_TRUE(g);
  EXPECT_NE(g->find("[generale] (a block of the line source)"), std::string::npos) << *g;
  EXPECT_NE(g->find("[generale] (a block of the train source)"), std::string::npos) << *g;
}

// A finding names the rows it concerns, each as the reference lists its
// fields.
TEST(Spiegazione, AFindingShowsTheRowsItConcerns) {
  const std::optional<std::string> t = spiegazione("signal-cell-taken");
  ASSERT_TRUE(t);
  EXPECT_NE(
      t->find("The rows it concerns (scenario explain KEYWORD tells more):\n"
              "    segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo\n"),
      std::string::npos)
      << *t;
  const std::optional<std::string> tab = spiegazione("tab");
  ASSERT_TRUE(tab);
  EXPECT_NE(tab->find("    segnale, posizione,"), std::string::npos) << *tab;
  const std::optional<std::string> mancante = spiegazione("line-source-missing");
  ASSERT_TRUE(mancante);
  EXPECT_EQ(mancante->find("The rows it concerns"), std::string::npos) << *mancante;
}

TEST(Spiegazione, AWordThatNamesNothing) {
  for (const char* parola :
       {"", "nonsense", "14", "0", "stazion", "xstazione", "99999999999"})
    EXPECT_FALSE(spiegazione(parola)) << parola;
  const struct {
    const char* parola;
    const char* vicino;
  } casi[] = {
      {"signal-cell-taekn", "signal-cell-taken"},
      {"stazzione", "stazione"},
      {"Segnal", "segnale"},
      {"nonsense", ""},
  };
  for (const auto& c : casi) EXPECT_EQ(nome_vicino(c.parola), c.vicino) << c.parola;
}

TEST(IndiceSpiegazioni, EveryFindingWithItsNumberAndEveryRow) {
  const std::string t = indice_spiegazioni();
  for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i)
    EXPECT_NE(t.find(descrivi(static_cast<reperto_id>(i)).nome), std::string::npos);
  const size_t riga = t.find("  reserved-cell-1-taken ");
  ASSERT_NE(riga, std::string::npos);
  EXPECT_TRUE(t.substr(riga, t.find('\n', riga) - riga).ends_with("error    [1250]"))
      << t;
  EXPECT_NE(t.find("stazione."), std::string::npos) << t;
}

}  // namespace
