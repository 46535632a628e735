// The train source as written: its sections, the quoted rows, and what the
// rows of each table must satisfy (counts, columns, distributions).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "documents/documents.h"
#include "documents/written_document.h"

namespace {

class TrainSourceDocument : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    doc_ = new documento_scritto(scrivi_e_rileggi(dati_treno, file_kind::train_source));
  }
  static void TearDownTestSuite() { delete doc_; }
  static const std::vector<std::string>& righe() { return doc_->righe; }
  static std::vector<std::string> sezione(size_t header) {
    std::vector<std::string> out;
    for (size_t i = header + 1; i < righe().size() && righe()[i].front() != '['; ++i) {
      out.push_back(righe()[i]);
    }
    return out;
  }
  static documento_scritto* doc_;
};
documento_scritto* TrainSourceDocument::doc_ = nullptr;

TEST_F(TrainSourceDocument, SectionsAndTheThreeLastLines) {
  ASSERT_EQ(righe().size(), 364u);
  const std::map<size_t, std::string> header = {
      {0, "[generale]"},  {5, "[aderenze]"},        {13, "[vel_limite]"},
      {54, "[stazioni]"}, {100, "[rallentamenti]"}, {101, "[segnali]"},
      {281, "[codici]"},  {361, "[fine]"}};
  for (size_t i = 0; i < 362; ++i) {
    auto h = header.find(i);
    if (h != header.end()) {
      EXPECT_EQ(righe()[i], h->second);
    } else {
      ASSERT_FALSE(righe()[i].empty()) << "line " << i;
      EXPECT_NE(righe()[i].front(), '[') << "line " << i;
    }
  }
  const std::string& b = doc_->bytes;
  ASSERT_GE(b.size(), 13u);
  EXPECT_EQ(b.substr(b.size() - 13), "[fine]\r\n \r\n\r\n");
}

TEST_F(TrainSourceDocument, QuotedRowsStandVerbatim) {
  const std::map<size_t, std::string> fisse = {
      {1, "numero vetture,    15"},
      {2, "percentuale massa frenata,    125"},
      {3, "sabbia,    110"},
      {4, "orologio,    19              59            55 "},
      {6, "aderenza,       0,    60"},
      {7, "aderenza,    8750,    65"},
      {8, "aderenza,   34000,    61"},
      {9, "aderenza,  156550,    73"},
      {10, "aderenza,  265300,    79"},
      {11, "aderenza,  312450,    74"},
      {12, "aderenza,  325950,    70"},
      {14, "velocita,   0,    30"},
      {15, "velocita,    1000,    95"},
      {45, "velocit\xE0,  284500,   140"},
      {46, "velocit\xE0,  286850,   145"},
      {55,
       "stazione,       0,  8,  500,  1, 0, 0,  3,1,0,  2,1,1,    1,  19,59,50, Roma "
       "Termini"},
      {58,
       "stazione,    8200, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, Roma "
       "Trastevere"},
      {60,
       "stazione,   17050, 22,  300,  0, 0, 1,  0,0,0,  4,1,1,    0,   0, 0, 0, Roma "
       "Aurelia"},
      {63,
       "stazione,   44900, 27,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, Palo "
       "Laziale"},
      {64,
       "stazione,   47250, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,  115,   0, 0, 0, "
       "Cerveteri-Ladispoli"},
      {77,
       "stazione,  184600,  2,  600,  0, 1, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
       "Grosseto"},
      {91,
       "stazione,  289200, 22,  400,  0, 0, 0,  0,0,0,  3,1,1,  145,   0, 0, 0, "
       "Rosignano"},
      {98,
       "stazione,  321600, 21,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, Tombolo"},
      {99,
       "stazione,  332750, 12,  600,  0, 1, 0,  1,1,0,  2,1,1,    0,  22,29, 0, "
       "Pisa Centrale"},
      {102, "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 255"},
      {280, "segnale,  331100,   2, 3, 1,  1, 0,    2,  2,1,1, 0"},
      {282, "abbattimento,    7050,   270"},
      {360, "abbattimento,  327450,   270"},
      {362, " "},
      {363, ""},
  };
  for (const auto& [i, testo] : fisse) EXPECT_EQ(righe()[i], testo) << "line " << i;
  EXPECT_EQ(righe()[4].size(), 46u);

  for (const char* r : {"segnale,   44700,   2, 5, 1,  0, 0,    2,  2,1,0, 0",
                        "segnale,    2250,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
                        "segnale,   94950,   2, 4, 1,  0, 0,    1,  3,1,0, 0",
                        "segnale,   50150,   2, 3, 0,  0, 0,    2,  1,0,0, 255",
                        "segnale,   19300,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
                        "velocita,  101950,   150"}) {
    EXPECT_NE(std::find(righe().begin(), righe().end(), r), righe().end()) << r;
  }
}

TEST_F(TrainSourceDocument, SpeedLimitsAreTheFortyOfTheTimetable) {
  const std::vector<std::pair<long, long>> attese = {
      {0, 30},       {1000, 95},    {8200, 80},    {12050, 90},   {14000, 140},
      {17450, 150},  {28000, 140},  {31100, 160},  {63950, 105},  {65950, 140},
      {75950, 90},   {78200, 100},  {80950, 130},  {89950, 140},  {95950, 110},
      {98950, 130},  {101950, 150}, {111950, 110}, {115950, 130}, {122950, 110},
      {127550, 150}, {139950, 100}, {142950, 150}, {147950, 160}, {160950, 140},
      {163950, 160}, {183950, 150}, {212950, 160}, {242650, 150}, {278550, 130},
      {280750, 145}, {284500, 140}, {286850, 145}, {291300, 100}, {294400, 105},
      {308800, 110}, {312250, 105}, {318050, 160}, {325750, 140}, {330750, 120}};
  const std::regex forma("(velocita|velocit\xE0),( {1,7}\\d+),( {1,5}\\d+)");
  std::vector<std::pair<long, long>> lette;
  for (const std::string& r : sezione(13)) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r, m, forma)) << r;
    if (lette.empty()) {
      EXPECT_EQ(m[2].length(), 4);  // the first row's position takes 4 characters
    } else {
      EXPECT_EQ(m[2].length(), 8) << r;
    }
    EXPECT_EQ(m[3].length(), 6) << r;
    lette.emplace_back(numero(m[2]), numero(m[3]));
  }
  EXPECT_EQ(lette, attese);
}

struct stazione {
  long posizione, tipo, lunghezza, opzione_1, opzione_5, opzione_4, valore_1, valore_2,
      opzione_2, valore_3, valore_4, valore_5, opzione_3, ore, minuti, secondi;
  std::string nome;
};

std::vector<stazione> leggi_stazioni(const std::vector<std::string>& righe) {
  // Widths of fields 1 to 16, each right after its comma.
  const size_t larghezza[] = {8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2};
  std::vector<stazione> out;
  for (const std::string& r : righe) {
    std::vector<std::string> f = campi(r);
    EXPECT_EQ(f.size(), 18u) << r;
    if (f.size() != 18u) continue;
    EXPECT_EQ(f[0], "stazione");
    std::vector<long> v;
    for (size_t k = 0; k < 16; ++k) {
      EXPECT_EQ(f[k + 1].size(), larghezza[k]) << "field " << k + 1 << " of " << r;
      v.push_back(numero(f[k + 1]));
    }
    EXPECT_EQ(f[17].front(), ' ');
    out.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                   v[11], v[12], v[13], v[14], v[15], f[17].substr(1)});
  }
  return out;
}

TEST_F(TrainSourceDocument, StationsCarryTheListedNamesKindsAndFlags) {
  std::vector<stazione> st = leggi_stazioni(sezione(54));
  ASSERT_EQ(st.size(), 45u);
  const std::vector<std::string> nomi = {"Roma Termini",
                                         "Roma Tuscolana",
                                         "Roma Ostiense",
                                         "Roma Trastevere",
                                         "Roma S. Pietro",
                                         "Roma Aurelia",
                                         "Maccarese-Fregene",
                                         "Torre in Pietra-Palidoro",
                                         "Palo Laziale",
                                         "Cerveteri-Ladispoli",
                                         "Marina di Cerveteri",
                                         "S.Severa",
                                         "S.Marinella",
                                         "Civitavecchia",
                                         "Tarquinia",
                                         "Montalto di Castro",
                                         "Chiarone",
                                         "Capalbio",
                                         "Orbetello",
                                         "Albinia",
                                         "Talamone",
                                         "Alberese",
                                         "Grosseto",
                                         "Montepescali",
                                         "Giuncarico",
                                         "Gavorrano",
                                         "Scarlino",
                                         "Follonica",
                                         "Vignale Riotorto",
                                         "Campiglia Marittima",
                                         "San Vincenzo",
                                         "Castagneto Carducci",
                                         "Bolgheri",
                                         "Bibbona",
                                         "Cecina",
                                         "Vada",
                                         "Rosignano",
                                         "Castiglioncello",
                                         "Quercianella",
                                         "Antignano",
                                         "Ardenza",
                                         "Livorno C.le",
                                         "Livorno Calambrone",
                                         "Tombolo",
                                         "Pisa Centrale"};
  std::map<long, int> per_tipo;
  std::map<long, int> lunghezze;
  std::map<std::string, long> campo_13, campo_6, campo_5;
  for (size_t i = 0; i < st.size(); ++i) {
    const stazione& s = st[i];
    EXPECT_EQ(s.nome, nomi[i]);
    EXPECT_EQ(s.nome.find(','), std::string::npos);
    EXPECT_EQ(s.posizione % 50, 0);
    if (i > 0) {
      EXPECT_GT(s.posizione, st[i - 1].posizione);
    }
    ++per_tipo[s.tipo];
    ++lunghezze[s.lunghezza];
    EXPECT_EQ(s.opzione_1, i == 0 ? 1 : 0);
    EXPECT_TRUE(s.valore_1 == 0 || s.valore_1 == 1 || s.valore_1 == 3);
    EXPECT_TRUE(s.valore_2 == 0 || s.valore_2 == 1);
    EXPECT_EQ(s.opzione_2, 0);
    EXPECT_TRUE(s.valore_3 == 0 || (s.valore_3 >= 2 && s.valore_3 <= 4));
    EXPECT_TRUE(s.valore_4 == 0 || s.valore_4 == 1);
    EXPECT_TRUE(s.valore_5 == 0 || s.valore_5 == 1);
    if (s.opzione_3) campo_13[s.nome] = s.opzione_3;
    if (s.opzione_4) campo_6[s.nome] = s.opzione_4;
    if (s.opzione_5) campo_5[s.nome] = s.opzione_5;
    auto ora = std::make_tuple(s.ore, s.minuti, s.secondi);
    if (i == 0) {
      EXPECT_EQ(ora, std::make_tuple(19L, 59L, 50L));
    } else if (i + 1 == st.size()) {
      EXPECT_EQ(ora, std::make_tuple(22L, 29L, 0L));
    } else {
      EXPECT_EQ(ora, std::make_tuple(0L, 0L, 0L)) << s.nome;
    }
  }
  EXPECT_EQ(per_tipo,
            (std::map<long, int>{
                {2, 2}, {4, 1}, {8, 1}, {12, 9}, {21, 1}, {22, 20}, {27, 2}, {28, 9}}));
  std::vector<long> usate;
  for (auto [l, n] : lunghezze) usate.push_back(l);
  EXPECT_EQ(usate, (std::vector<long>{200, 300, 400, 500, 600}));
  EXPECT_EQ(campo_13, (std::map<std::string, long>{{"Cerveteri-Ladispoli", 115},
                                                   {"S.Marinella", 115},
                                                   {"Rosignano", 145},
                                                   {"Roma Termini", 1}}));
  EXPECT_EQ(campo_6,
            (std::map<std::string, long>{
                {"Roma Aurelia", 1}, {"Civitavecchia", 1}, {"Livorno Calambrone", 1}}));
  EXPECT_EQ(campo_5, (std::map<std::string, long>{
                         {"Grosseto", 1}, {"Livorno C.le", 1}, {"Pisa Centrale", 1}}));
  // The reader keeps field 5 only for stations of 600 m or more.
  for (const stazione& s : st) {
    if (s.opzione_5) {
      EXPECT_GE(s.lunghezza, 600) << s.nome;
    }
  }
}

TEST_F(TrainSourceDocument, SignalsFollowTheirColumnsAndDistributions) {
  // keyword, position in 8, then sx s1 s2 s3 rapp dx d1 d2 d3 with their
  // fixed spacing, and the time unaligned.
  const std::regex forma(
      R"(segnale,( {0,7}\d+),   (\d), (\d), (\d),  (\d), (\d),    (\d),  (\d),(\d),(\d), (\d{1,3}))");
  std::vector<std::vector<long>> segnali;
  for (const std::string& r : sezione(101)) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r, m, forma)) << r;
    EXPECT_EQ(m[1].length(), 8) << r;
    std::vector<long> v;
    for (size_t k = 1; k <= 11; ++k) v.push_back(numero(m[k]));
    segnali.push_back(v);
  }
  ASSERT_EQ(segnali.size(), 179u);
  EXPECT_EQ(segnali.front()[0], 1050);
  EXPECT_EQ(segnali.back()[0], 331100);

  std::map<long, int> s1, dx, tempo_non_zero;
  std::map<std::vector<long>, int> forme;
  int tempo_zero = 0;
  for (size_t i = 0; i < segnali.size(); ++i) {
    const std::vector<long>& v = segnali[i];
    EXPECT_EQ(v[0] % 50, 0);
    if (i > 0) {
      EXPECT_GT(v[0], segnali[i - 1][0]);
    }
    EXPECT_EQ(v[1], 2);  // sx
    ++s1[v[2]];
    EXPECT_TRUE(v[3] <= 1 && v[4] <= 1 && v[8] <= 1 && v[9] <= 1);  // s2 s3 d2 d3
    EXPECT_EQ(v[5], 0);                                             // rapp
    ++dx[v[6]];
    EXPECT_LE(v[7], 3);  // d1
    if (v[10] == 0) {
      ++tempo_zero;
    } else {
      ++tempo_non_zero[v[10]];
    }
    ++forme[std::vector<long>(v.begin() + 1, v.end() - 1)];
  }
  EXPECT_EQ(s1, (std::map<long, int>{{3, 15}, {4, 163}, {5, 1}}));
  EXPECT_EQ(dx, (std::map<long, int>{{0, 22}, {1, 7}, {2, 150}}));
  EXPECT_EQ(tempo_zero, 166);
  for (auto [t, n] : tempo_non_zero) {
    EXPECT_TRUE(t == 110 || t == 120 || t == 125 || t == 130 || t == 145 || t == 160 ||
                t == 190 || t == 199 || t == 245 || t == 255)
        << t;
  }
  const std::vector<long> frequente = {2, 4, 0, 0, 0, 2, 1, 0, 0};
  EXPECT_EQ(forme[frequente], 86);
  for (const auto& [f, n] : forme) {
    if (f != frequente) {
      EXPECT_LT(n, 86);
    }
  }
}

TEST_F(TrainSourceDocument, CodePointsFormTwoGroups) {
  const std::regex forma(R"(abbattimento,( {0,7}\d+),   270)");
  std::vector<long> primo, secondo;
  for (const std::string& r : sezione(281)) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r, m, forma)) << r;
    EXPECT_EQ(m[1].length(), 8);
    long p = numero(m[1]);
    EXPECT_EQ(p % 50, 0);
    (p <= 79450 ? primo : secondo).push_back(p);
  }
  ASSERT_EQ(primo.size(), 53u);
  ASSERT_EQ(secondo.size(), 26u);
  EXPECT_TRUE(std::is_sorted(primo.begin(), primo.end()));
  EXPECT_TRUE(std::adjacent_find(primo.begin(), primo.end()) == primo.end());
  EXPECT_TRUE(std::is_sorted(secondo.begin(), secondo.end()));
  EXPECT_TRUE(std::adjacent_find(secondo.begin(), secondo.end()) == secondo.end());
  EXPECT_EQ(primo.front(), 7050);
  EXPECT_EQ(primo.back(), 79450);
  EXPECT_EQ(secondo.front(), 280200);
  EXPECT_EQ(secondo.back(), 327450);
}

}  // namespace
