// The line half of the reader, driven through memorizza_dati over small
// line sources.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "scenario/codici.h"
#include "reader/source_fixture.h"

namespace {

// 10000 m: cells 0..340 (17000 / 50), polyline metres 0..17000.
constexpr int ultima = 340;

TEST(LineSource, RouteLengthSizesTrackAndPolyline) {
  struct {
    int32_t lunghezza, ultima_cella;
  } casi[] = {
      {334000, 6820}, {10000, 340}, {0, 140}, {25, 140}, {75, 142}};  // halves to even
  for (const auto& c : casi) {
    sorgenti s;
    s.scenario({}, {}, c.lunghezza);
    s.leggi();
    EXPECT_EQ(s.st.codice_errore, 0);
    EXPECT_EQ(s.st.elementi[84].fine, c.lunghezza);
    EXPECT_EQ(s.st.lunghezza_tracciato, c.lunghezza + 7000);
    EXPECT_EQ(s.st.numero_celle, c.ultima_cella) << c.lunghezza;
    EXPECT_EQ(s.st.percorso.size(), static_cast<size_t>(c.ultima_cella) + 1);
    EXPECT_EQ(s.st.tracciato.ultimo, c.lunghezza + 7000);
    EXPECT_FALSE(s.resta_linea());
    EXPECT_FALSE(s.resta_treno());
  }
}

TEST(LineSource, HeaderRowsFillTheReservedSlots) {
  sorgenti s;
  s.linea({"[generale]", "lunghezza percorso,    334000",
           "progressiva chilometrica uno,    31100,    3050,    0",
           "progressiva chilometrica due,    284500,    -284500,    0",
           "progressiva chilometrica tre,    315950,    412050,    1", "sfondo uno,    1",
           "sfondo due,    2", "sfondo tre,    3",
           "ripetizione segnali 9 codici,    8000,    330700", "[curve]", "[fine]"});
  s.treno({"[generale]", "[fine]"});
  s.leggi();
  const auto& el = s.st.elementi;
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(el[81].inizio, 315950);
  EXPECT_EQ(el[81].fine, 412150);
  EXPECT_EQ(el[81].progressiva, 1);
  EXPECT_EQ(el[82].inizio, 284500);
  EXPECT_EQ(el[82].fine, -284500);
  EXPECT_EQ(el[83].inizio, 31100);
  EXPECT_EQ(el[83].fine, 3050);
  EXPECT_EQ(el[85].inizio, 1);
  EXPECT_EQ(el[85].progressiva, 2) << "background two";
  EXPECT_EQ(el[85].fine, 3) << "background three";
  EXPECT_EQ(el[85].nome, "Vardelia");
  EXPECT_EQ(el[86].inizio, 8000);
  EXPECT_EQ(el[86].fine, 330700);
  EXPECT_EQ(el[86].progressiva, 9);
  EXPECT_EQ(el[86].nome, "Corvessa");
}

TEST(LineSource, RepetitionRowsCountTheirCodes) {
  struct {
    const char* riga;
    int32_t codici;
  } casi[] = {{"ripetizione segnali 9 codici,    8000,    330700", 9},
              {"ripetizione segnali 4 codici,    8000,    330700", 4},
              {"ripetizione segnali 49 codici,    8000,    330700", 4},
              {"ripetizione segnali 9 codici,    8000,    0", 0}};
  for (const auto& c : casi) {
    sorgenti s;
    s.linea({"[generale]", "lunghezza percorso, 10000", c.riga, "[fine]"});
    s.treno({"[generale]", "[fine]"});
    s.leggi();
    EXPECT_EQ(s.st.codice_errore, 0) << c.riga;
    EXPECT_EQ(s.st.elementi[86].progressiva, c.codici) << c.riga;
  }
}

TEST(LineSource, KeywordCaseRules) {
  sorgenti s;
  s.linea({"[generale]", "LUNGHEZZA PERCORSO, 10000",
           "Progressiva chilometrica uno, 100, 200, 0", "SFONDO UNO, 4", "sfondo due, 5",
           "[curve]", "PENDENZA, 0, 3", "[fine]"});
  s.treno({"[generale]", "[fine]"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.st.numero_celle, ultima) << "route length in capitals is recognised";
  EXPECT_EQ(s.st.elementi[81].inizio, 0) << "Progressiva with a capital is not";
  EXPECT_EQ(s.st.elementi[85].inizio, 0) << "SFONDO in capitals is not";
  EXPECT_EQ(s.st.elementi[85].progressiva, 5);
  EXPECT_EQ(s.c(0).pendenza, 103) << "body keywords ignore case";
}

TEST(LineSource, GradientsFillTheCellsUpToTheLastButTwo) {
  sorgenti s;
  s.scenario({"pendenza,  0,   0", "pendenza,  600,   -11"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  for (int i = 0; i <= ultima; ++i) {
    const int atteso = i < 12 ? 100 : i <= ultima - 3 ? 89 : 0;
    EXPECT_EQ(s.c(i).pendenza, atteso) << i;
  }
}

TEST(LineSource, DecimalCommaGivesTheWholePartAndAStrayToken) {
  sorgenti s;
  s.scenario({"pendenza,  0,   0", "pendenza,  600,   -11", "pendenza,  1200,   0",
              "pendenza,  1250,   -4,5", "pendenza,  1450,   0"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.c(24).pendenza, 100);
  EXPECT_EQ(s.c(25).pendenza, 96);
  EXPECT_EQ(s.c(28).pendenza, 96);
  EXPECT_EQ(s.c(29).pendenza, 100);
}

TEST(LineSource, GradientRowsInOneCellAdvanceTheCursorByOne) {
  sorgenti s;
  // 1010 and 1020 both round to cell 20: the second row still writes cell 20.
  s.scenario(
      {"pendenza, 0, 1", "pendenza, 1010, 2", "pendenza, 1020, 3", "pendenza, 2000, 4"});
  s.leggi();
  EXPECT_EQ(s.c(19).pendenza, 101);
  EXPECT_EQ(s.c(20).pendenza, 102);
  EXPECT_EQ(s.c(21).pendenza, 103);
  EXPECT_EQ(s.c(39).pendenza, 103);
  EXPECT_EQ(s.c(40).pendenza, 104);
}

TEST(LineSource, GradientKeepsItsLowEightBits) {
  sorgenti s;
  s.scenario({"pendenza, 0, 200", "pendenza, 100, -150"});
  s.leggi();
  EXPECT_EQ(s.c(0).pendenza, 44);   // 300
  EXPECT_EQ(s.c(2).pendenza, 206);  // -50
}

TEST(LineSource, HalfCellsRoundToTheEvenCell) {
  sorgenti s;
  // 1025 / 50 = 20.5 -> 20 and 1075 / 50 = 21.5 -> 22; a sign at 1025 m
  // takes cell 22 (21.5), so one at 1075 m (22.5) finds it taken.
  s.scenario({"pendenza, 1025, 1", "pendenza, 1075, 2", "cartello_indicatore, 1025, (A)",
              "cartello_indicatore, 1075, (B)"});
  s.leggi();
  EXPECT_EQ(s.c(19).pendenza, 100);
  EXPECT_EQ(s.c(20).pendenza, 101);
  EXPECT_EQ(s.c(21).pendenza, 101);
  EXPECT_EQ(s.c(22).codice, codice_cella::cartello_indicatore);
  EXPECT_EQ(s.st.codice_errore, codice::cartello_occupato);
  EXPECT_EQ(s.st.posizione_errore, 1075);
}

// The polyline points as written: x and y of metre m and their tags.
double px(const tracciato_t& t, int m) { return t.valore[t.indice(m, 0)]; }
double py(const tracciato_t& t, int m) { return t.valore[t.indice(m, 1)]; }
uint8_t tag(const tracciato_t& t, int m, int k) { return t.tipo[t.indice(m, k)]; }

TEST(LineSource, AStraightLineRunsAlongYAndLeavesTheLastTwoPointsEmpty) {
  sorgenti s;
  s.scenario({});
  s.leggi();
  const tracciato_t p = punti_del_tracciato(s.st.tracciato);
  EXPECT_EQ(tag(p, 0, 0), tracciato_t::intero);
  EXPECT_EQ(tag(p, 1, 1), tracciato_t::intero);
  EXPECT_EQ(py(p, 1), 1.0);
  for (int m = 2; m <= 16998; ++m) {
    ASSERT_EQ(tag(p, m, 0), tracciato_t::reale) << m;
    ASSERT_EQ(px(p, m), 0.0) << m;
    ASSERT_EQ(py(p, m), m) << m;
  }
  for (int m : {16999, 17000}) {
    EXPECT_EQ(tag(p, m, 0), tracciato_t::vuoto);
    EXPECT_EQ(tag(p, m, 1), tracciato_t::vuoto);
  }
}

TEST(LineSource, CurvesTurnBySideAndClass) {
  struct {
    const char* riga;
    double k;
  } casi[] = {{"curvas1,  1350,  150", -0.0001},
              {"curvad6,  1350,  150", 0.003},
              {"curvaS3,  1350,  150", -0.0004},
              {"curvad61,  1350,  150", 0.0001}};
  for (const auto& c : casi) {
    sorgenti s;
    s.scenario({c.riga});
    s.leggi();
    ASSERT_EQ(s.st.codice_errore, 0) << c.riga;
    const tracciato_t p = punti_del_tracciato(s.st.tracciato);
    EXPECT_EQ(px(p, 1350), 0.0);
    EXPECT_EQ(py(p, 1350), 1350.0);
    // The first curved step bends the unit step (0, 1) by k.
    EXPECT_EQ(px(p, 1351), c.k) << c.riga;
    EXPECT_EQ(py(p, 1351), 1351.0);
    // Each curved step grows by sqrt(1 + k^2); the line then runs straight.
    const double lx = px(p, 1500) - px(p, 1499), ly = py(p, 1500) - py(p, 1499);
    EXPECT_NEAR(std::hypot(lx, ly), std::pow(1 + c.k * c.k, 75.0), 1e-9);
    EXPECT_EQ(px(p, 1502) - px(p, 1501), px(p, 1501) - px(p, 1500));
    EXPECT_GT(std::fabs(px(p, 16998)), std::fabs(px(p, 1500)));
    EXPECT_EQ(std::signbit(px(p, 16998)), c.k < 0);
  }
}

TEST(LineSource, OverlappingCurvesRunOnFromTheCursor) {
  sorgenti s;
  s.scenario({"curvad1, 1000, 200", "curvad1, 1100, 50"});
  s.leggi();
  sorgenti uno;
  uno.scenario({"curvad1, 1000, 200"});
  uno.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(punti_del_tracciato(s.st.tracciato).valore,
            punti_del_tracciato(uno.st.tracciato).valore)
      << "a curve behind the cursor lays nothing new";
}

// Where the laying of points ends: normally two metres before the end of
// the polyline; a curve may lay up to its last metre; past it the reading
// fails, and past metre 1,000,000 it ends with its own code, that metre
// laid. The file holds the points laid, the rest empty.
TEST(LineSource, CurvesLayUpToTheEndOfThePolylineOrTheLimit) {
  struct {
    int32_t lunghezza;
    const char* riga;
    int32_t codice, posati;
  } casi[] = {
      {0, "curvad1, 6000, 998", 0, 6999},
      {0, "curvad1, 6000, 1000", 0, 7001},  // the last two metres too
      {0, "curvad1, 6000, 2000", codice::errore_lettura, 7001},
      {1000000, "curvad1, 999000, 999", 0, 1006999},
      {1000000, "curvad1, 999000, 1000", codice::curva_errata, 1000001},
      {1000000, "curvad1, 999000, 5000", codice::curva_errata, 1000001},
  };
  for (const auto& c : casi) {
    sorgenti s;
    s.scenario({c.riga}, {}, c.lunghezza);
    s.leggi();
    EXPECT_EQ(s.st.codice_errore, c.codice) << c.riga;
    EXPECT_EQ(s.st.tracciato.posati, c.posati) << c.riga;
    const tracciato_t p = punti_del_tracciato(s.st.tracciato);
    EXPECT_EQ(tag(p, c.posati - 1, 1), tracciato_t::reale) << c.riga;
    if (c.posati <= p.ultimo) {
      EXPECT_EQ(tag(p, c.posati, 0), tracciato_t::vuoto) << c.riga;
    }
  }
}

TEST(LineSource, WithoutTheLinePlanCurvesAreNotRead) {
  sorgenti s(0);
  s.scenario({"curvas1,  1350,  150", "curva,  2000,  100", "pendenza, 0, 2"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_FALSE(s.st.tracciato.esiste());
  EXPECT_EQ(s.c(0).pendenza, 102);
}

TEST(LineSource, IndicatorSignsTakeSlotsFromEightyDown) {
  sorgenti s;
  s.scenario({"cartello_indicatore,  7950,   (Zona)(Cod )",
              "cartello_indicatore,  8950,   (  Cippo  )(Km 28+000)"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.c(160).codice, codice_cella::cartello_indicatore);
  EXPECT_EQ(s.c(160).dato_a, 80);
  EXPECT_EQ(s.c(180).dato_a, 79);
  EXPECT_EQ(s.st.elementi[80].nome, "(Zona)(Cod )");
  EXPECT_EQ(s.st.elementi[79].nome, "(  Cippo  )(Km 28+000)");
  EXPECT_EQ(s.st.elementi[78].nome, "");
}

TEST(LineSource, MountainsAndSpeedBoardsReachTheCells) {
  sorgenti s;
  s.scenario({"montagna,   8750,  11150,  12",
              "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0"},
             {}, 20000);
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.st.numero_montagne, 1);
  EXPECT_EQ(s.c(175).tipo_montagna, 2);
  EXPECT_EQ(s.c(178).codice, codice_cella::marcatore_montagna);
  EXPECT_EQ(s.c(21).codice, codice_cella::indicatori_v_max);
  EXPECT_EQ(s.c(21).dato_c, 2000);
}

TEST(LineSource, TokensHoldingAMinusArePassedOverTenTimesInTheHeader) {
  for (int meno : {10, 11}) {
    std::vector<std::string> righe = {"[generale]"};
    for (int i = 0; i < meno; ++i)
      righe.push_back(std::string("-").append(std::to_string(i)));
    righe.push_back("-lunghezza percorso, 10000");
    righe.push_back("[fine]");
    sorgenti s;
    s.linea(righe);
    s.treno({"[generale]", "[fine]"});
    s.leggi();
    if (meno == 10) {
      EXPECT_EQ(s.st.codice_errore, 0);
      EXPECT_EQ(s.st.numero_celle, ultima);
    } else {
      EXPECT_EQ(s.st.codice_errore, codice::errore_lettura) << "the row was passed over: no track";
    }
  }
}

TEST(LineSource, TokensHoldingAMinusArePassedOverTwiceInTheBody) {
  sorgenti due;
  due.scenario({"pendenza, 0, 5", "-x", "-y", "-pendenza, 500, 6"});
  due.leggi();
  EXPECT_EQ(due.st.codice_errore, 0);
  EXPECT_EQ(due.c(9).pendenza, 105);
  EXPECT_EQ(due.c(10).pendenza, 106) << "the third token is read as a row";

  sorgenti uno;
  uno.scenario({"pendenza, 0, 5", "-x", "-pendenza, 500, 6"});
  uno.leggi();
  EXPECT_EQ(uno.st.codice_errore, 0);
  EXPECT_EQ(uno.c(10).pendenza, 105) << "the second token was passed over";
}

TEST(LineSource, TheLastLineIsNotInterpreted) {
  for (const char* ultima_riga :
       {"montagna", "cartello_indicatore", "pendenza, 500, 7"}) {
    sorgenti s;
    s.linea({"[generale]", "lunghezza percorso, 10000", "[curve]", "pendenza, 0, 3",
             ultima_riga});
    s.treno({"[generale]", "[fine]"});
    s.leggi();
    const bool solo_chiave = std::string(ultima_riga).find(',') == std::string::npos;
    EXPECT_EQ(s.st.codice_errore, 0) << ultima_riga;
    EXPECT_EQ(s.c(30).pendenza, solo_chiave ? 103 : 107) << ultima_riga;
  }
}

TEST(LineSource, HeaderRowsInTheBodyAreNotRead) {
  sorgenti s;
  s.scenario({"sfondo uno, 7", "lunghezza percorso, 500"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.st.elementi[85].inizio, 0);
  EXPECT_EQ(s.st.numero_celle, ultima);
}

TEST(LineSource, ALongRouteWithThousandsOfRowsReadsWhole) {
  sorgenti s;
  std::vector<std::string> corpo;
  for (int i = 0; i < 4000; ++i) {
    corpo.push_back("pendenza,  " + std::to_string(i * 240) + ",   " +
                    std::to_string(i % 23 - 11));
  }
  for (int i = 0; i < 2000; ++i) {
    corpo.push_back("curva" + std::string(i % 2 ? "s" : "d") + std::to_string(i % 6 + 1) +
                    ",  " + std::to_string(1000 + i * 490) + ",  " +
                    std::to_string(50 + i % 7 * 50));
  }
  for (int i = 0; i < 70; ++i) {
    corpo.push_back("cartello_indicatore,  " + std::to_string(2025 + i * 13000) +
                    ",   (K" + std::to_string(i) + ")");
  }
  s.scenario(corpo, {}, 1000000);
  s.leggi();
  ASSERT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.st.numero_celle, 20140);
  EXPECT_EQ(s.c(20137).pendenza, 100 + 3999 % 23 - 11);
  EXPECT_EQ(s.c(20138).pendenza, 0);
  EXPECT_EQ(s.st.elementi[11].nome, "(K69)");
  const tracciato_t punti = punti_del_tracciato(s.st.tracciato);
  EXPECT_EQ(tag(punti, 1006998, 0), tracciato_t::reale);
  EXPECT_EQ(tag(punti, 1006999, 0), tracciato_t::vuoto);
}

}  // namespace
