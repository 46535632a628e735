#include "track/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "track/race_codes.h"
#include "reader/source_fixture.h"
#include "run/exit_status.h"
#include "scenario/naming.h"
#include "run/platform.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"

namespace {

// A platform whose message box and end of process are recorded, not shown.
struct recorded_platform {
  std::vector<std::string> messages;
  std::vector<int> ends;
  platform p;
  recorded_platform() {
    p.mostra_finestra = [](const std::string&) {};
    p.chiudi_finestra = [] {};
    p.mostra_messaggio = [this](const std::string& text) {
      messages.push_back(text);
      return 1;
    };
    p.termina = [this](int status) { ends.push_back(status); };
  }
};

// The build on small source documents of a test's own, with identifiers that
// hold a space and parentheses.
struct build_fixture {
  sorgenti sources;
  temp_folder& dir = sources.cartella;
  scenario_state& st = sources.st;
  recorded_platform rec;

  build_fixture(const std::vector<std::string>& line_body,
                const std::vector<std::string>& train_body) {
    st.linea = "Linea (prova)";
    st.treno = "Treno 7";
    sources.scenario(line_body, train_body, 3000);
  }

  Status build(int32_t j = 1) { return memorizza_percorso(st, rec.p, j); }
};

TEST(Build, StampsTheReservedPlacesAndWritesTheFiles) {
  build_fixture f({}, {"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 255"});
  ASSERT_TRUE(f.build().ok());
  EXPECT_EQ(f.st.codice_errore, 0);
  EXPECT_TRUE(f.rec.messages.empty());

  scenario_state names;  // the race codes of the two identifiers, computed apart
  names.elementi[slot::linea].nome = "Linea (prova)";
  names.elementi[slot::treno].nome = "Treno 7";
  EXPECT_EQ(f.st.percorso[1].dato_a, 5121);
  EXPECT_EQ(f.st.percorso[1].dato_b, codice_gara_og(names));
  EXPECT_EQ(f.st.elementi[slot::linea].valore_1, 610);
  EXPECT_EQ(f.st.elementi[slot::linea].orario, codice_gara_st(names));

  // The source documents are gone; the three binary files stand.
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
  ASSERT_TRUE(f.build().ok());
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
  ASSERT_TRUE(f.build(0).ok());
  EXPECT_EQ(f.st.salva_linea, 0);
  EXPECT_FALSE(f.st.tracciato.esiste());
  EXPECT_EQ(read_bytes(f.dir.file("Linea (prova)_linea.dat")), "from an earlier run");
}

TEST(Build, ReaderThatSetsTheStampedPlacesStopsWithErrore) {
  struct Case {
    const char* what;
    std::vector<std::string> line_body, train_body;
    const char* message;
  } cases[] = {
      // A code point at 50 m lands in cell 1 and sets its dato_a.
      {"cell 1 dato_a", {}, {"abbattimento,      50,   270"}, " Errore n. 1250"},
      // Speed boards at 0 m with no first speed: dato_a 0, dato_b 2000.
      {"cell 1 dato_b",
       {"indicatori_vmax,  0,  0,  100,  0,  0,  ,  ,  ,  0"},
       {},
       " Errore n. 1251"},
  };
  for (const Case& c : cases) {
    build_fixture f(c.line_body, c.train_body);
    write_bytes(f.dir.file("Linea (prova)_Treno 7.dat"), "earlier track");
    write_bytes(f.dir.file("Linea (prova)_Treno 7_note.txt"), "this run's notes");
    Status s = f.build();
    EXPECT_FALSE(s.ok()) << c.what;
    EXPECT_EQ(f.rec.messages, std::vector<std::string>{c.message}) << c.what;
    EXPECT_EQ(f.rec.ends, std::vector<int>{exit_status::errore}) << c.what;
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
    temp_folder dir;
    scenario_state st;
    st.cartella = dir.path();
    st.linea = "L";
    st.treno = "T";
    if (c.line_source) write_bytes(file_path(st, file_kind::line_source), c.line_text);
    write_bytes(file_path(st, file_kind::train_source), "[generale]\r\n[fine]\r\n");
    recorded_platform rec;
    Status s = memorizza_percorso(st, rec.p, 1);
    ASSERT_FALSE(s.ok()) << c.what;
    EXPECT_NE(s.message().find(file_path(st, file_kind::line_source)), std::string::npos)
        << s.message();
    EXPECT_TRUE(rec.messages.empty());
    for (const std::string& name : dir.files()) {
      EXPECT_EQ(name.find(".dat"), std::string::npos) << c.what << ": " << name;
      EXPECT_EQ(name.find(".sim"), std::string::npos) << c.what << ": " << name;
    }
  }
}

}  // namespace
