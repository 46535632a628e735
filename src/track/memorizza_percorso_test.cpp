#include "track/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "track/race_codes.h"
#include "reader/source_fixture.h"
#include "run/errore.h"
#include "scenario/codici.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"

namespace {

// The build on small source documents of a test's own, with identifiers that
// hold a space and parentheses.
struct build_fixture {
  sorgenti sources;
  temp_folder& dir = sources.cartella;
  scenario_state& st = sources.st;

  build_fixture(const std::vector<std::string>& line_body,
                const std::vector<std::string>& train_body) {
    st.linea = "Linea (prova)";
    st.treno = "Treno 7";
    sources.scenario(line_body, train_body, 3000);
  }

  esito_build build(int32_t j = 1) { return memorizza_percorso(st, sources.da_leggere(), j); }
};

TEST(Build, StampsTheReservedPlacesAndWritesTheFiles) {
  build_fixture f({}, {"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 255"});
  ASSERT_EQ(f.build().tipo, esito::fatto);
  EXPECT_EQ(f.st.codice_errore, 0);

  scenario_state names;  // the race codes of the two identifiers, computed apart
  names.elementi[slot::linea].nome = "Linea (prova)";
  names.elementi[slot::treno].nome = "Treno 7";
  EXPECT_EQ(f.st.percorso[1].dato_a, 5121);
  EXPECT_EQ(f.st.percorso[1].dato_b, codice_gara_og(names));
  EXPECT_EQ(f.st.elementi[slot::linea].valore_1, 610);
  EXPECT_EQ(f.st.elementi[slot::linea].orario, codice_gara_st(names));

  // The reader was done with both source documents; the three binary files
  // stand.
  EXPECT_EQ(f.sources.consumati, (std::set<documento>{documento::linea, documento::treno}));
  EXPECT_EQ(f.dir.files(), (std::vector<std::string>{"Linea (prova)_Treno 7.dat",
                                                     "Linea (prova)_Treno 7.sim",
                                                     "Linea (prova)_linea.dat"}));
  std::string track = read_bytes(f.dir.file("Linea (prova)_Treno 7.dat"));
  ASSERT_EQ(track.size(), 15u * (static_cast<size_t>(f.st.numero_celle) + 1));
  EXPECT_EQ(static_cast<unsigned char>(track[16]), 0x01);  // 5121 = 0x1401
  EXPECT_EQ(static_cast<unsigned char>(track[17]), 0x14);
}

TEST(Build, ScenarioWithoutSlowdownChangesOnlyTheStamps) {
  build_fixture f(
      {"montagna,   500,  1500,  12", "pendenza,  0,   0", "pendenza,  600,   -11"},
      {"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 255",
       "abbattimento,    2000,   270", "velocita,   0,    30"});
  ASSERT_EQ(f.build().tipo, esito::fatto);
  int code_points = 0;
  for (size_t i = 0; i < f.st.percorso.size(); ++i) {
    const cella& c = f.st.percorso[i];
    if (c.codice == codice_cella::abbattimento) {
      ++code_points;
      EXPECT_EQ(i, 40u);
      EXPECT_EQ(c.dato_a, 270) << "the reader's code point keeps its value";
    }
  }
  EXPECT_EQ(code_points, 1) << "no slowdown: no code point is added";
}

TEST(Build, WithoutLinePlanFlagNoPolylineAndNoLinePlanFile) {
  build_fixture f({"curvas1,  1350,  150"}, {});
  write_bytes(f.dir.file("Linea (prova)_linea.dat"), "from an earlier run");
  ASSERT_EQ(f.build(0).tipo, esito::fatto);
  EXPECT_EQ(f.st.salva_linea, 0);
  EXPECT_FALSE(f.st.tracciato.esiste());
  EXPECT_EQ(read_bytes(f.dir.file("Linea (prova)_linea.dat")), "from an earlier run");
}

TEST(Build, ReaderThatSetsTheStampedPlacesStopsWithErrore) {
  struct Case {
    const char* what;
    std::vector<std::string> line_body, train_body;
    int32_t numero;
    const char* message;
  } cases[] = {
      // A code point at 50 m lands in cell 1 and sets its dato_a.
      {"cell 1 dato_a", {}, {"abbattimento,      50,   270"}, 1250, " Errore n. 1250"},
      // Speed boards at 0 m with no first speed: dato_a 0, dato_b 2000.
      {"cell 1 dato_b",
       {"indicatori_vmax,  0,  0,  100,  0,  0,  ,  ,  ,  0"},
       {},
       1251,
       " Errore n. 1251"},
  };
  for (const Case& c : cases) {
    build_fixture f(c.line_body, c.train_body);
    write_bytes(f.dir.file("Linea (prova)_Treno 7.dat"), "earlier track");
    write_bytes(f.dir.file("Linea (prova)_Treno 7_note.txt"), "this run's notes");
    const esito_build e = f.build();
    EXPECT_EQ(e.tipo, esito::errore) << c.what;
    EXPECT_EQ(e.numero_errore, c.numero) << c.what;
    EXPECT_EQ(messaggio_errore(std::to_string(e.numero_errore)), c.message) << c.what;
    // No binary file of this run: the earlier track file stays as it was, and
    // so does the crew document written before the build.
    EXPECT_EQ(f.dir.files(), (std::vector<std::string>{"Linea (prova)_Treno 7.dat",
                                                       "Linea (prova)_Treno 7_note.txt"}))
        << c.what;
    EXPECT_EQ(read_bytes(f.dir.file("Linea (prova)_Treno 7.dat")), "earlier track");
    EXPECT_EQ(read_bytes(f.dir.file("Linea (prova)_Treno 7_note.txt")),
              "this run's notes");
  }
}

TEST(Build, NoTrackReadEndsTheRunWithAFailureAndNoFiles) {
  struct Case {
    const char* what;
    bool line_source;
    std::string line_text;
  } cases[] = {
      {"line source missing", false, ""},
      {"no route length", true, "[generale]\r\nsfondo uno,    1\r\n[fine]\r\n"},
  };
  for (const Case& c : cases) {
    sorgenti sources;
    scenario_state& st = sources.st;
    st.linea = "L";
    st.treno = "T";
    if (c.line_source) sources.linea_grezza(c.line_text);
    sources.treno_grezzo("[generale]\r\n[fine]\r\n");
    const esito_build e = memorizza_percorso(st, sources.da_leggere(), 1);
    ASSERT_EQ(e.tipo, esito::guasto) << c.what;
    EXPECT_NE(e.status.message().find("Vardelia_linea.txt"), std::string::npos)
        << e.status.message();
    for (const std::string& name : sources.cartella.files()) {
      EXPECT_EQ(name.find(".dat"), std::string::npos) << c.what << ": " << name;
      EXPECT_EQ(name.find(".sim"), std::string::npos) << c.what << ": " << name;
    }
  }
}

}  // namespace

namespace {

// Every code point without room is a finding of its own, naming the row of
// the board it serves; the status pair keeps only the last.
TEST(BuildFindings, EachCodePointWithoutRoomIsReported) {
  sorgenti s;
  s.scenario({}, {"abbattimento, 2800, 75", "abbattimento, 2750, 75", "abbattimento, 2700, 75",
                  "rallentamento, 3000, 60, 500, 0, 0, 0",
                  "abbattimento, 5800, 75", "abbattimento, 5750, 75", "abbattimento, 5700, 75",
                  "rallentamento, 6000, 60, 500, 0, 0, 0"});
  ASSERT_EQ(memorizza_percorso(s.st, s.da_leggere(), 1).tipo, esito::fatto);
  std::vector<std::pair<int32_t, int>> senza_posto;  // cell, line of the board's row
  for (const reperto& r : s.reperti) {
    if (r.id != reperto_id::codice_senza_posto_finestra) continue;
    EXPECT_EQ(s.testo_di(r.dove), "rallentamento");
    senza_posto.emplace_back(r.cella, s.riga_di(r.dove));
  }
  EXPECT_EQ(senza_posto, (std::vector<std::pair<int32_t, int>>{{61, 5}, {121, 9}}));
  EXPECT_EQ(s.st.codice_errore, codice::codice_finestra);
  EXPECT_EQ(s.st.posizione_errore, 121 * 50);
}

// A numbered error names the feature in cell 1 and the row that put it there.
TEST(BuildFindings, ReservedPlaceTakenNamesTheRowOfCell1) {
  sorgenti s;
  s.scenario({}, {"velocita, 0, 100", "abbattimento,      50,   270"});
  const esito_build e = memorizza_percorso(s.st, s.da_leggere(), 1);
  ASSERT_EQ(e.tipo, esito::errore);
  const reperto* r = s.ultimo_errore();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->id, reperto_id::errore_1250);
  EXPECT_EQ(r->cella, 1);
  EXPECT_EQ(r->valore, codice_cella::abbattimento);
  EXPECT_EQ(s.testo_di(r->dove), "abbattimento");
  EXPECT_EQ(s.riga_di(r->dove), 3);
}

}  // namespace
