// The line source as written: its sections, the quoted rows and what the
// rows of each table must satisfy (counts, bounds, order, layout).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "documents/written_document.h"

namespace {

class LineSourceDocument : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    doc_ = new documento_scritto(scrivi_e_rileggi(dati_linea, file_kind::line_source));
  }
  static void TearDownTestSuite() { delete doc_; }
  static const std::vector<std::string>& righe() { return doc_->righe; }
  // The rows of the section whose header stands at line `header`, up to the next header.
  static std::vector<std::string> sezione(size_t header) {
    std::vector<std::string> out;
    for (size_t i = header + 1; i < righe().size() && righe()[i][0] != '['; ++i) {
      out.push_back(righe()[i]);
    }
    return out;
  }
  static documento_scritto* doc_;
};
documento_scritto* LineSourceDocument::doc_ = nullptr;

TEST_F(LineSourceDocument, SectionsStandWhereTheyBelong) {
  ASSERT_EQ(righe().size(), 537u);
  const std::map<size_t, std::string> header = {
      {0, "[generale]"},   {9, "[curve]"},      {183, "[pendenze]"},
      {435, "[montagne]"}, {451, "[cartelli]"}, {516, "[indicazioni]"},
      {536, "[fine]"}};
  for (size_t i = 0; i < righe().size(); ++i) {
    auto h = header.find(i);
    if (h != header.end()) {
      EXPECT_EQ(righe()[i], h->second);
    } else {
      EXPECT_NE(righe()[i].front(), '[') << "line " << i;  // also: no blank line
    }
    EXPECT_EQ(righe()[i].find("riferimento fine del file"), std::string::npos);
    for (unsigned char c : righe()[i]) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "line " << i;
  }
}

TEST_F(LineSourceDocument, QuotedRowsStandVerbatim) {
  const std::map<size_t, std::string> fisse = {
      {1, "lunghezza percorso,    334000"},
      {2, "progressiva chilometrica uno,    31100,    3050,    0"},
      {3, "progressiva chilometrica due,    284500,    -284500,    0"},
      {4, "progressiva chilometrica tre,    315950,    412050,    1"},
      {5, "sfondo uno,    1"},
      {6, "sfondo due,    0"},
      {7, "sfondo tre,    0"},
      {8, "ripetizione segnali 9 codici,    8000,    330700"},
      {10, "curvas1,  1350,  150"},
      {182, "curvas2,  332050,  400"},
      {184, "pendenza,  0,   0"},
      {185, "pendenza,  600,   -11"},
      {186, "pendenza,  1200,   0"},
      {187, "pendenza,  1250,   -4,5"},
      {188, "pendenza,  1450,   0"},
      {189, "pendenza,  1550,   -11"},
      {434, "pendenza,  317750,   0"},
      {436, "montagna,   8750,  11150,  12"},
      {437, "montagna,   12100,  16400,  12"},
      {438, "montagna,   17800,  18050,  12"},
      {439, "montagna,   18500,  18850,  12"},
      {440, "montagna,   19300,  19450,  12"},
      {441, "montagna,   19950,  20050,  12"},
      {442, "montagna,   20700,  20900,  12"},
      {443, "montagna,   21500,  21900,  12"},
      {444, "montagna,   25600,  27000,  12"},
      {445, "montagna,   292600,  292850,  2"},
      {446, "montagna,   293250,  293550,  2"},
      {447, "montagna,   299800,  300450,  2"},
      {448, "montagna,   300650,  301350,  2"},
      {449, "montagna,   301750,  302750,  2"},
      {450, "montagna,   303650,  304100,  2"},
      {452, "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0"},
      {515, "indicatori_vmax,  329800,  110,  120,  125,  0,  ,  ,  ,  0"},
      {517, "cartello_indicatore,  7950,   (Zona)(Cod )"},
      {518, "cartello_indicatore,  27950,   (  Cippo  )(Km 28+000)"},
      {519, "cartello_indicatore,  56900,   (  Cippo  )(Km 60+000)"},
      {520, "cartello_indicatore,  63900,   (  Cippo  )(Km 67+000)"},
      {521, "cartello_indicatore,  75900,   (  Cippo  )(Km 79+000)"},
      {522, "cartello_indicatore,  78200,   (Dev.)(U.  )"},
      {523, "cartello_indicatore,  95900,   (  Cippo  )(Km 99+000)"},
      {524, "cartello_indicatore,  111900,   (  Cippo   )(Km 115+000)"},
      {525, "cartello_indicatore,  122900,   (  Cippo  )(Km126+000)"},
      {526, "cartello_indicatore,  127550,   (Dev.)(I.  )"},
      {527, "cartello_indicatore,  139900,   (  Cippo   )(Km 143+000)"},
      {528, "cartello_indicatore,  152300,   (Dev.I.)"},
      {529, "cartello_indicatore,  160900,   (  Cippo   )(Km 164+000)"},
      {530, "cartello_indicatore,  168900,   (  Cippo  )(Km 172+000)"},
      {531, "cartello_indicatore,  183950,   (Dev.I.)"},
      {532, "cartello_indicatore,  241900,   (   Cippo  )(Km 245+000)"},
      {533, "cartello_indicatore,  290450,   ( Cippo  )(Km 6+000)"},
      {534, "cartello_indicatore,  325100,   (Bivio     )(Mortellini)"},
      {535, "cartello_indicatore,  330750,   (  Cippo  )(Km 81.300)"},
  };
  for (const auto& [i, testo] : fisse) EXPECT_EQ(righe()[i], testo) << "line " << i;

  // Rows quoted without a line number, and runs of them that stand together.
  const std::vector<std::vector<std::string>> gruppi = {
      {"curvas2,  11750,  50", "curvas4,  11800,  150"},
      {"curvas2,  197050,  1900"},
      {"curvad3,  2150,  100", "curvad5,  2250,  500", "curvad3,  2750,  200",
       "curvad1,  2950,  100"},
      {"curvad6,  77700,  250"},
      {"curvad6,  292150,  350"},
      {"curvad6,  292700,  100"},
      {"curvad6,  293200,  100"},
      {"indicatori_vmax,  7300,  75,  80,  85,  0,  75,  80,  85,  0"},
      {"indicatori_vmax,  310750,  100,  105,  110,  2,  ,  ,  ,  0"},
      {"indicatori_vmax,  138600,  95,  100,  105,  1,  95,  100,  100,  1"},
      {"indicatori_vmax,  151400,  140,  160,  160,  0,  170,  160,  160,  0"},
      {"indicatori_vmax,  26350,  130,  140,  145,  2,  130,  140,  145,  2",
       "indicatori_vmax,  26700,  130,  140,  145,  1,  130,  140,  145,  1",
       "indicatori_vmax,  27050,  130,  140,  145,  0,  130,  140,  145,  0"},
  };
  for (const auto& g : gruppi) {
    auto it = std::find(righe().begin(), righe().end(), g[0]);
    ASSERT_NE(it, righe().end()) << g[0];
    for (size_t k = 1; k < g.size(); ++k) EXPECT_EQ(*(it + k), g[k]);
  }
}

struct curva {
  std::string chiave;
  long inizio, lunghezza;
};

TEST_F(LineSourceDocument, CurvesMeetTheirCountsAndNeverOverlap) {
  const std::regex forma(R"((curva[sd][1-6]),  (\d+),  (\d+))");
  std::vector<curva> curve;
  for (const std::string& r : sezione(9)) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r, m, forma)) << r;
    curve.push_back({m[1], std::stol(m[2]), std::stol(m[3])});
  }
  ASSERT_EQ(curve.size(), 173u);
  std::map<std::string, int> per_chiave;
  for (const curva& c : curve) ++per_chiave[c.chiave];
  EXPECT_EQ(per_chiave, (std::map<std::string, int>{{"curvas1", 14},
                                                    {"curvas2", 18},
                                                    {"curvas3", 22},
                                                    {"curvas4", 30},
                                                    {"curvas5", 12},
                                                    {"curvad1", 7},
                                                    {"curvad2", 8},
                                                    {"curvad3", 25},
                                                    {"curvad4", 20},
                                                    {"curvad5", 13},
                                                    {"curvad6", 4}}));
  int contatti = 0;
  long piu_corta = 1 << 30, piu_lunga = 0;
  for (size_t i = 0; i < curve.size(); ++i) {
    const curva& c = curve[i];
    EXPECT_EQ(c.inizio % 50, 0) << c.inizio;
    EXPECT_EQ(c.lunghezza % 50, 0) << c.inizio;
    piu_corta = std::min(piu_corta, c.lunghezza);
    piu_lunga = std::max(piu_lunga, c.lunghezza);
    if (i + 1 < curve.size()) {
      long fine = c.inizio + c.lunghezza;
      EXPECT_LE(fine, curve[i + 1].inizio) << "overlap at " << c.inizio;
      if (fine == curve[i + 1].inizio) ++contatti;
    }
  }
  EXPECT_EQ(contatti, 21);
  EXPECT_EQ(piu_corta, 50);
  EXPECT_EQ(piu_lunga, 1900);
  EXPECT_EQ(curve.front().inizio, 1350);
  EXPECT_EQ(curve.back().inizio + curve.back().lunghezza, 332450);
}

TEST_F(LineSourceDocument, GradientsRiseAndNoTwoNeighboursAreEqual) {
  const std::regex forma(R"(pendenza,  (\d+),   (-?\d+)(,5)?)");
  std::vector<long> posizioni, valori;
  int decimali = 0;
  for (const std::string& r : sezione(183)) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r, m, forma)) << r;
    posizioni.push_back(std::stol(m[1]));
    valori.push_back(std::stol(m[2]));
    if (m[3].matched) ++decimali;
  }
  ASSERT_EQ(valori.size(), 251u);
  EXPECT_EQ(decimali, 1);  // only "pendenza,  1250,   -4,5"
  int non_negativi = 0;
  for (size_t i = 0; i < valori.size(); ++i) {
    EXPECT_EQ(posizioni[i] % 50, 0);
    EXPECT_GE(valori[i], -11);
    EXPECT_LE(valori[i], 11);
    EXPECT_NE(valori[i], 9) << posizioni[i];
    if (valori[i] >= 0) ++non_negativi;
    if (i > 0) {
      EXPECT_GT(posizioni[i], posizioni[i - 1]);
      EXPECT_NE(valori[i], valori[i - 1]) << "at " << posizioni[i];
    }
  }
  EXPECT_EQ(non_negativi, 165);
  EXPECT_EQ(*std::max_element(valori.begin(), valori.end()), 11);
  EXPECT_EQ(*std::min_element(valori.begin(), valori.end()), -11);
  EXPECT_EQ(posizioni.front(), 0);
  EXPECT_EQ(posizioni.back(), 317750);
}

struct cartello {
  long posizione;
  std::vector<long> sinistra;  // vas, vbs, vcs
  long strisce_sx;
  bool destro;
  std::vector<long> destra;
  long strisce_dx;
};

TEST_F(LineSourceDocument, SpeedBoardsFollowTheirRules) {
  const std::regex numero_o_vuoto(R"(  (\d+)?)");
  std::vector<cartello> cartelli;
  for (const std::string& r : sezione(451)) {
    std::vector<std::string> f = campi(r);
    ASSERT_EQ(f.size(), 10u) << r;  // nine commas, empty fields included
    ASSERT_EQ(f[0], "indicatori_vmax");
    for (size_t k = 1; k < 10; ++k)
      ASSERT_TRUE(std::regex_match(f[k], numero_o_vuoto)) << r;
    cartello c{numero(f[1]), {numero(f[2]), numero(f[3]), numero(f[4])}, numero(f[5]),
               f[6] != "  ", {numero(f[6]), numero(f[7]), numero(f[8])}, numero(f[9])};
    if (!c.destro) {
      EXPECT_EQ(f[7], "  ") << r;
      EXPECT_EQ(f[8], "  ") << r;
      EXPECT_EQ(f[9], "  0") << r;
    }
    cartelli.push_back(c);
  }
  ASSERT_EQ(cartelli.size(), 64u);

  std::vector<long> senza_destro;
  int sx_con_strisce_senza_destro = 0, destra_uguale = 0;
  for (size_t i = 0; i < cartelli.size(); ++i) {
    const cartello& c = cartelli[i];
    EXPECT_EQ(c.posizione % 50, 0);
    if (i > 0) {
      EXPECT_GT(c.posizione, cartelli[i - 1].posizione);
    }
    for (long v : c.sinistra)
      EXPECT_TRUE(v >= 75 && v <= 170 && v % 5 == 0) << c.posizione;
    EXPECT_TRUE(c.strisce_sx >= 0 && c.strisce_sx <= 2);
    if (c.destro) {
      for (long v : c.destra)
        EXPECT_TRUE(v >= 75 && v <= 170 && v % 5 == 0) << c.posizione;
      if (c.destra == c.sinistra && c.strisce_dx == c.strisce_sx) ++destra_uguale;
    } else {
      senza_destro.push_back(c.posizione);
      if (c.strisce_sx != 0) ++sx_con_strisce_senza_destro;
    }
  }
  EXPECT_EQ(senza_destro,
            (std::vector<long>{1000, 78150, 80900, 89900, 94700, 95000, 277250, 277600,
                               280900, 310750, 311050, 311350, 318000, 323650, 324000,
                               329100, 329450, 329800}));
  EXPECT_EQ(sx_con_strisce_senza_destro, 7);
  EXPECT_EQ(destra_uguale, 44);
  EXPECT_EQ(cartelli.front().posizione, 1000);
  EXPECT_EQ(cartelli.back().posizione, 329800);

  // Stripes appear only in runs 2, 1, 0 or 1, 0 of boards a few hundred
  // metres apart with the same left speeds, lower than the board before.
  int tre = 0, due = 0;
  for (size_t i = 0; i < cartelli.size();) {
    long s = cartelli[i].strisce_sx;
    if (s == 0) {
      EXPECT_EQ(cartelli[i].strisce_dx, 0) << cartelli[i].posizione;
      ++i;
      continue;
    }
    size_t n = static_cast<size_t>(s) + 1;
    ASSERT_LE(i + n, cartelli.size());
    ASSERT_GT(i, 0u);
    for (size_t k = 0; k < n; ++k) {
      const cartello& c = cartelli[i + k];
      EXPECT_EQ(c.strisce_sx, s - static_cast<long>(k)) << c.posizione;
      EXPECT_EQ(c.strisce_dx, c.destro ? c.strisce_sx : 0) << c.posizione;
      EXPECT_EQ(c.sinistra, cartelli[i].sinistra) << c.posizione;
      if (k > 0) {
        long passo = c.posizione - cartelli[i + k - 1].posizione;
        EXPECT_TRUE(passo >= 200 && passo <= 500) << c.posizione;
      }
    }
    for (size_t v = 0; v < 3; ++v) {
      EXPECT_LT(cartelli[i].sinistra[v], cartelli[i - 1].sinistra[v])
          << cartelli[i].posizione;
    }
    (n == 3 ? tre : due)++;
    i += n;
  }
  EXPECT_EQ(tre, 7);
  EXPECT_EQ(due, 6);
}

TEST_F(LineSourceDocument, IndicationBoardsRiseAndHoldNoComma) {
  const std::regex forma(R"(cartello_indicatore,  (\d+),   (\([^,]*\))+)");
  std::vector<std::string> righe_sezione = sezione(516);
  ASSERT_EQ(righe_sezione.size(), 19u);
  long prima = -1;
  for (const std::string& r : righe_sezione) {
    EXPECT_TRUE(std::regex_match(r, forma)) << r;
    long p = numero(campi(r)[1]);
    EXPECT_GT(p, prima);
    EXPECT_LE(p, 334000);
    prima = p;
  }
}

}  // namespace
