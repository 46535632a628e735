#include "track/binary_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "format/decode.h"
#include "format/layout.h"
#include "scenario/naming.h"
#include "support/temp_folder.h"

namespace {

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string le_double(double v) {
  std::string out(8, '\0');
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  for (int i = 0; i < 8; ++i)
    out[static_cast<size_t>(i)] = static_cast<char>(bits >> (8 * i));
  return out;
}

// Every element of `t` as the line plan file writes one.
std::string elementi_scritti(const tracciato_t& t) {
  std::string out(t.tipo.size() * dimensione_elemento_tracciato(tracciato_t::reale),
                  '\0');
  char* p = out.data();
  for (size_t i = 0; i < t.tipo.size(); ++i)
    p = write_elemento_tracciato(p, t.tipo[i], t.valore[i]);
  out.resize(static_cast<size_t>(p - out.data()));
  return out;
}

scenario_state small_state(const std::string& folder) {
  scenario_state st;
  st.cartella = folder;
  st.linea = "Vardelia";
  st.treno = "Corvessa";
  st.numero_celle = 4;
  st.percorso.assign(5, cella{});
  st.lunghezza_tracciato = 3;
  st.salva_linea = 1;
  st.tracciato.crea(3);
  return st;
}

TEST(ScenarioFile, EmptySlotIs34ZeroBytesAndSizeCountsNames) {
  std::array<elemento, slot::numero> elementi{};
  std::string image = immagine_elementi(elementi);
  ASSERT_EQ(image.size(), 2958u);
  EXPECT_EQ(image.substr(0, 34), std::string(34, '\0'));

  elementi[85].nome = "Vardelia";
  elementi[86].nome = "Corvessa";
  elementi[1].nome = "Roma Termini";
  EXPECT_EQ(immagine_elementi(elementi).size(), 2958u + 8 + 8 + 12);
}

TEST(ScenarioFile, RecordFieldsAtTheirOffsets) {
  std::array<elemento, slot::numero> elementi{};
  elemento& e = elementi[0];
  e.tipo = 0x12;
  e.inizio = -500;
  e.fine = 0x01020304;
  e.progressiva = 71990;
  e.opzione_1 = 1;
  e.nome = "Citt\xE0";
  e.valore_1 = -1;
  e.valore_2 = 2;
  e.valore_3 = 0x0304;
  e.valore_4 = 4;
  e.valore_5 = 5;
  e.opzione_2 = 6;
  e.opzione_3 = 145;
  e.opzione_4 = 8;
  e.opzione_5 = 9;
  e.orario = 82875;
  std::string record = immagine_elementi(elementi).substr(0, 34 + 5);
  EXPECT_EQ(hex(record),
            "12 0C FE FF FF 04 03 02 01 36 19 01 00 01 05 00 43 69 74 74 E0 "
            "FF FF 02 00 04 03 04 00 05 00 06 91 08 09 BB 43 01 00");
}

TEST(ScenarioFile, LongNameCountIsLittleEndian) {
  std::array<elemento, slot::numero> elementi{};
  elementi[3].nome = std::string(300, 'x');
  std::string image = immagine_elementi(elementi);
  ASSERT_EQ(image.size(), 2958u + 300);
  size_t record3 = 3 * 34;
  EXPECT_EQ(hex(image.substr(record3 + 14, 2)), "2C 01");
  EXPECT_EQ(image.substr(record3 + 16, 300), std::string(300, 'x'));
}

TEST(TrackFile, FifteenBytesPerCellFieldByField) {
  std::vector<cella> percorso(3);
  percorso[1].codice = 1;
  percorso[1].dato_a = -1;
  percorso[1].dato_b = 5121;
  percorso[1].dato_c = 42;
  percorso[1].dato_d = 8;
  percorso[1].tempo = 255;
  percorso[1].preavviso = 81;
  percorso[1].tipo_montagna = 2;
  percorso[1].velocita = 19;
  percorso[1].pendenza = 89;
  percorso[1].aderenza = 60;
  std::string image = immagine_percorso(percorso);
  ASSERT_EQ(image.size(), 45u);
  EXPECT_EQ(image.substr(0, 15), std::string(15, '\0'));
  EXPECT_EQ(hex(image.substr(15, 15)), "01 FF FF 01 14 2A 00 08 00 FF 51 02 13 59 3C");
}

// Over several pieces, every cell at its place.
TEST(TrackFile, WrittenInPiecesItHoldsEveryCell) {
  temp_folder dir;
  scenario_state st = small_state(dir.path());
  st.salva_linea = 0;
  st.percorso.resize(7001);
  for (size_t i = 0; i < st.percorso.size(); ++i) {
    st.percorso[i].codice = static_cast<uint8_t>(i % 15);
    st.percorso[i].dato_a = static_cast<int16_t>(i);
    st.percorso[i].aderenza = static_cast<uint8_t>(i / 256);
  }
  ASSERT_TRUE(scrivi_file_binari(st).ok());
  const std::string image = read_bytes(dir.file("Vardelia_Corvessa.dat"));
  EXPECT_TRUE(image == immagine_percorso(st.percorso));
  std::vector<cella> letti;
  const decode_status d = decode_percorso(image, letti);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(letti, st.percorso);
}

TEST(LinePlanFile, TaggedElementsXHalfThenYHalf) {
  tracciato_a_tratti t;
  t.crea(3);  // metres 0..3, every point empty
  EXPECT_EQ(hex(immagine_tracciato(t)), hex(std::string(16, '\0')));

  t.inizia();
  t.posa(3, 0);  // metre 2, one straight step on from (0, 0), (0, 1)
  std::string expected;
  expected += std::string("\x02\x00\x00\x00", 4);  // x of metre 0
  expected += std::string("\x02\x00\x00\x00", 4);  // x of metre 1
  expected += std::string("\x05\x00", 2) + le_double(0.0);
  expected += std::string("\x00\x00", 2);          // x of metre 3: empty
  expected += std::string("\x02\x00\x00\x00", 4);  // y of metre 0
  expected += std::string("\x02\x00\x01\x00", 4);  // y of metre 1
  expected += std::string("\x05\x00", 2) + le_double(2.0);
  expected += std::string("\x00\x00", 2);
  EXPECT_EQ(hex(immagine_tracciato(t)), hex(expected));
}

// The file is written a piece at a time, both halves side by side: over
// many pieces, curves and a long empty end, it holds every point the
// polyline stands for, at its place and to the last bit.
TEST(LinePlanFile, WrittenInPiecesItHoldsEveryPoint) {
  struct caso {
    const char* nome;
    int32_t ultimo;
    std::vector<tratto_tracciato> tratti;  // after the start
  } casi[] = {
      {"laid to the last metre but two",
       200000,
       {{1350, 0}, {1500, -0.0001}, {90001, 0}, {90300, 0.003}, {199999, 0}}},
      {"stopped early: a long empty end", 100000, {{30000, 0.001}}},
      {"the start only", 20000, {}},
  };
  for (const caso& c : casi) {
    temp_folder dir;
    scenario_state st = small_state(dir.path());
    st.tracciato.crea(c.ultimo);
    st.tracciato.inizia();
    for (const tratto_tracciato& t : c.tratti) st.tracciato.posa(t.fine, t.curvatura);
    ASSERT_TRUE(scrivi_file_binari(st).ok()) << c.nome;
    const std::string image = read_bytes(dir.file("Vardelia_linea.dat"));
    EXPECT_TRUE(image == immagine_tracciato(st.tracciato)) << c.nome;

    // Two tagged elements a metre: 4 bytes each for the start, 10 for a laid
    // point, 2 for an empty one.
    const size_t metri = static_cast<size_t>(c.ultimo) + 1;
    const size_t posati = static_cast<size_t>(st.tracciato.posati);
    EXPECT_EQ(image.size(), 2 * (2 * 4 + (posati - 2) * 10 + (metri - posati) * 2))
        << c.nome;
    tracciato_t letto;
    const decode_status d = decode_tracciato(image, letto);
    ASSERT_TRUE(d.ok) << c.nome << ": " << d.message;
    const tracciato_t punti = punti_del_tracciato(st.tracciato);
    EXPECT_EQ(letto.tipo, punti.tipo) << c.nome;
    ASSERT_EQ(letto.valore.size(), punti.valore.size()) << c.nome;
    EXPECT_EQ(std::memcmp(letto.valore.data(), punti.valore.data(),
                          punti.valore.size() * sizeof(double)),
              0)
        << c.nome;
  }
}

// Every field of the three records, written and decoded back, at the ends
// of its range: a field at the wrong offset or width, read with the wrong
// sign or cut, comes back different.
TEST(RoundTrip, CellsAtTheEndsOfEveryRange) {
  std::vector<cella> percorso = {
      {},
      {255, 32767, 32767, 32767, 32767, 255, 255, 255, 255, 255, 255},
      {1, -32768, -32768, -32768, -32768, 128, 127, 1, 0, 200, 60},
      {14, -1, 1, -256, 256, 1, 2, 3, 4, 5, 6},
  };
  std::vector<cella> letti(7);
  decode_status d = decode_percorso(immagine_percorso(percorso), letti);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(letti, percorso);

  d = decode_percorso(immagine_percorso({}), letti);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_TRUE(letti.empty());
}

TEST(RoundTrip, SlotsWithExtremeValuesAndNames) {
  using lim32 = std::numeric_limits<int32_t>;
  std::array<elemento, slot::numero> elementi{};
  elementi[1] = {255,    lim32::min(), lim32::max(), -1,          255, "Citt\xE0 \xE8",
                 -32768, 32767,        -1,           0,           1,   255,
                 0,      128,          255,          lim32::min()};
  elementi[2] = {1, 1, -1, 71990, 0,    std::string(300, 'x'), 5121, -2, 3, -4, 5,
                 6, 7, 8,  9,     82875};
  elementi[40].nome = std::string(1, '\xE0');
  elementi[85].nome = std::string(65535, 'a');
  elementi[86] = {3, 0, 0, 0, 0, "Corvessa", 0, 0, 0, 0, 0, 0, 0, 0, 0, lim32::max()};

  std::array<elemento, slot::numero> letti{};
  const decode_status d = decode_elementi(immagine_elementi(elementi), letti);
  ASSERT_TRUE(d.ok) << d.message;
  for (size_t k = 0; k < elementi.size(); ++k) EXPECT_EQ(letti[k], elementi[k]) << k;
}

TEST(RoundTrip, NameOverTheCountIsCutToIt) {
  std::array<elemento, slot::numero> elementi{};
  elementi[5].nome = std::string(65535, 'a') + "bcd";
  elementi[5].orario = -7;
  const std::string image = immagine_elementi(elementi);
  EXPECT_EQ(image.size(), numero_slot * dimensione_fissa_slot + 65535);

  std::array<elemento, slot::numero> letti{};
  const decode_status d = decode_elementi(image, letti);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(letti[5].nome, std::string(65535, 'a'));
  EXPECT_EQ(letti[5].orario, -7);
}

TEST(RoundTrip, PlanElementsKeepTagAndEveryBitOfTheValue) {
  tracciato_t t;
  t.crea(4);
  t.metti_intero(0, 0, -32768);
  t.metti_intero(1, 0, 32767);
  t.metti_intero(2, 0, -1);
  t.metti_reale(3, 0, -0.0);
  t.metti_reale(0, 1, 1e300);
  t.metti_reale(1, 1, std::numeric_limits<double>::denorm_min());
  t.metti_reale(2, 1, std::numeric_limits<double>::quiet_NaN());
  t.metti_reale(3, 1, -1234.5678);
  // metres 4 (x and y) stay empty.

  tracciato_t letto;
  const decode_status d = decode_tracciato(elementi_scritti(t), letto);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(letto.ultimo, t.ultimo);
  EXPECT_EQ(letto.tipo, t.tipo);
  ASSERT_EQ(letto.valore.size(), t.valore.size());
  EXPECT_EQ(
      std::memcmp(letto.valore.data(), t.valore.data(), t.valore.size() * sizeof(double)),
      0);
}

TEST(RoundTrip, PlanElementOfAnUnknownTypeIsWrittenEmpty) {
  tracciato_t t;
  t.crea(0);
  t.tipo[0] = 7;
  t.valore[0] = 3.0;
  t.metti_intero(0, 1, 9);

  tracciato_t letto;
  const decode_status d = decode_tracciato(elementi_scritti(t), letto);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(letto.tipo, (std::vector<uint8_t>{tracciato_t::vuoto, tracciato_t::intero}));
  EXPECT_EQ(letto.valore, (std::vector<double>{0.0, 9.0}));
}

TEST(BinaryFiles, WritesThreeFilesReplacingLongerOnes) {
  temp_folder dir;
  scenario_state st = small_state(dir.path());
  for (file_kind k : {file_kind::line_plan, file_kind::scenario, file_kind::track}) {
    write_bytes(file_path(st, k), std::string(200000, 'z'));
  }
  ASSERT_TRUE(scrivi_file_binari(st).ok());
  EXPECT_EQ(read_bytes(dir.file("Vardelia_linea.dat")), immagine_tracciato(st.tracciato));
  EXPECT_EQ(read_bytes(dir.file("Vardelia_Corvessa.sim")),
            immagine_elementi(st.elementi));
  EXPECT_EQ(read_bytes(dir.file("Vardelia_Corvessa.dat")).size(), 15u * 5);
  EXPECT_EQ(dir.files().size(), 3u) << "no temporary file is left behind";

  // A second write of the same state is byte-identical.
  std::string track = read_bytes(dir.file("Vardelia_Corvessa.dat"));
  ASSERT_TRUE(scrivi_file_binari(st).ok());
  EXPECT_EQ(read_bytes(dir.file("Vardelia_Corvessa.dat")), track);
}

TEST(BinaryFiles, WithoutLinePlanFlagTheOldLinePlanFileStays) {
  temp_folder dir;
  scenario_state st = small_state(dir.path());
  st.salva_linea = 0;
  write_bytes(dir.file("Vardelia_linea.dat"), "earlier run");
  ASSERT_TRUE(scrivi_file_binari(st).ok());
  EXPECT_EQ(read_bytes(dir.file("Vardelia_linea.dat")), "earlier run");
  EXPECT_EQ(read_bytes(dir.file("Vardelia_Corvessa.dat")).size(), 75u);

  temp_folder empty;
  st.cartella = empty.path();
  ASSERT_TRUE(scrivi_file_binari(st).ok());
  EXPECT_EQ(empty.files(),
            (std::vector<std::string>{"Vardelia_Corvessa.dat", "Vardelia_Corvessa.sim"}));
}

TEST(BinaryFiles, NamesWithSpacesAndParentheses) {
  temp_folder dir;
  scenario_state st = small_state(dir.path());
  st.salva_linea = 1;
  st.linea = "Linea (nuova) 2.0";
  st.treno = "Treno 12";
  ASSERT_TRUE(scrivi_file_binari(st).ok());
  EXPECT_EQ(dir.files(), (std::vector<std::string>{"Linea (nuova) 2.0_Treno 12.dat",
                                                   "Linea (nuova) 2.0_Treno 12.sim",
                                                   "Linea (nuova) 2.0_linea.dat"}));
}

TEST(BinaryFiles, FailureNamesOperationPathAndReason) {
  temp_folder dir;
  scenario_state st = small_state(dir.file("missing"));
  Status s = scrivi_file_binari(st);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("cannot create"), std::string::npos) << s.message();
  EXPECT_NE(s.message().find(file_path(st, file_kind::line_plan)), std::string::npos)
      << s.message();
  EXPECT_NE(s.message().find("No such file or directory"), std::string::npos)
      << s.message();
}

}  // namespace
