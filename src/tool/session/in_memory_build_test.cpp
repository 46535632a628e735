#include "tool/session/in_memory_build.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string crlf(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

// Two stations, a signal close enough before a slowdown to be given a code
// point, and a code point of the author's own, which is not counted as added.
TEST(ContaCostruito, StationsSignalsAndTheCodePointsTheBuildAdded) {
  opzioni_build o;
  o.sorgente_linea = "L_linea.txt";
  o.sorgente_treno = "L_T-.txt";
  costruzione_in_memoria c;
  ASSERT_EQ(prepara_costruzione(o, c), "");
  c.testo_linea = crlf({"[generale]", "lunghezza percorso, 10000", "[curve]", "[fine]"});
  c.testo_treno = crlf({"[generale]", "stazione,1000,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,A",
                        "segnale, 1500, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0",
                        "rallentamento, 3000, 60, 500, 0, 0, 0",
                        "stazione,6000,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,B",
                        "abbattimento, 8000, 270", "[fine]"});
  costruisci_testi(o, c);
  ASSERT_FALSE(c.errori());

  int abbattimenti = 0;
  for (const cella& x : c.st.percorso)
    abbattimenti += x.codice == codice_cella::abbattimento;
  ASSERT_GT(abbattimenti, 1) << "the slowdown and the signal get code points";
  EXPECT_EQ(conta_costruito(c), (conteggio_costruito{2, 1, abbattimenti - 1}));
}

TEST(RiepilogoCostruito, CountsAndFilesWritten) {
  const struct {
    conteggio_costruito n;
    int file;
    const char* atteso;
  } casi[] = {
      {{52, 190, 11}, 0, "52 stations, 190 signals, 11 code points added by the build"},
      {{1, 1, 1}, 0, "1 station, 1 signal, 1 code point added by the build"},
      {{0, 0, 0},
       3,
       "0 stations, 0 signals, 0 code points added by the build; wrote 3 files"},
  };
  for (const auto& c : casi) EXPECT_EQ(riepilogo_costruito(c.n, c.file), c.atteso);
}

}  // namespace
