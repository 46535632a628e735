// The train half of the reader, driven through memorizza_dati over small
// source documents.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario/codici.h"
#include "reader/source_fixture.h"

namespace {

constexpr int ultima = 340;  // the last cell of a 10000 m route

TEST(TrainSource, GeneralRowsFillTheTrainSlots) {
  sorgenti s;
  s.scenario({}, {"numero vetture,    15", "percentuale massa frenata,    125",
                  "sabbia,    110", "orologio,    19              59            55 "});
  s.leggi();
  const auto& el = s.st.elementi;
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(el[84].progressiva, 15);
  EXPECT_EQ(el[84].inizio, 125);
  EXPECT_EQ(el[86].valore_1, 110);
  EXPECT_EQ(el[86].valore_3, 19);
  EXPECT_EQ(el[86].valore_4, 59);
  EXPECT_EQ(el[86].valore_5, 55);
}

TEST(TrainSource, SpeedsFillTheCellsInUnitsOfFive) {
  sorgenti s;
  s.scenario({}, {"velocita,   0,    30", "velocita,    1000,    95"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  for (int i = 0; i <= ultima; ++i) {
    const int atteso = i < 20 ? 6 : i <= ultima - 3 ? 19 : 0;
    EXPECT_EQ(s.c(i).velocita, atteso) << i;
  }
}

TEST(TrainSource, BothSpellingsOfTheSpeedKeywordAreSpeedRows) {
  sorgenti s;
  s.scenario({}, {"velocita,   0,    30", "velocit\xE0,  1000,   140",
                  "VELOCIT\xC0,  2000,   142"});
  s.leggi();
  EXPECT_EQ(s.c(19).velocita, 6);
  EXPECT_EQ(s.c(20).velocita, 28);
  EXPECT_EQ(s.c(40).velocita, 28) << "142 / 5 = 28.4";
}

TEST(TrainSource, AdhesionFillsTheCells) {
  sorgenti s;
  s.scenario(
      {}, {"aderenza,       0,    60", "aderenza,    500,    65", "aderenza, 510, 300"});
  s.leggi();
  EXPECT_EQ(s.c(9).aderenza, 60);
  EXPECT_EQ(s.c(10).aderenza, 65) << "a second row in one cell advances by one";
  EXPECT_EQ(s.c(11).aderenza, 44) << "300 keeps its low eight bits";
  EXPECT_EQ(s.c(ultima - 3).aderenza, 44);
  EXPECT_EQ(s.c(ultima - 2).aderenza, 0);
}

TEST(TrainSource, CodePointRows) {
  sorgenti s;
  s.scenario({}, {"abbattimento,    7050,   270", "abbattimento,    8000,   0",
                  "abbattimento,    8050,   70000"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.c(141).codice, codice_cella::abbattimento);
  EXPECT_EQ(s.c(141).dato_a, 270);
  EXPECT_EQ(s.c(160).codice, codice_cella::abbattimento_nullo);
  EXPECT_EQ(s.c(160).dato_a, 0);
  EXPECT_EQ(s.c(161).dato_a, static_cast<int16_t>(70000 - 65536));
}

TEST(TrainSource, SignalRowsGoThroughTheEncoder) {
  sorgenti s;
  s.scenario({}, {"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 255"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.c(22).codice, codice_cella::segnale);
  EXPECT_EQ(s.c(22).dato_a, 42);
  EXPECT_EQ(s.c(14).preavviso, 84);
}

TEST(TrainSource, SlowdownRowsGoThroughTheEncoder) {
  sorgenti s;
  s.scenario({}, {"rallentamento, 1550, 60, 1000, 7, 1, 0"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.c(8).codice, codice_cella::avviso_rallentamento);
  EXPECT_EQ(s.c(32).codice, codice_cella::inizio_rallentamento);
  EXPECT_EQ(s.c(52).codice, codice_cella::fine_rallentamento);
  EXPECT_EQ(s.c(4).codice, codice_cella::preavviso_rallentamento);
}

// A station row with the given position, kind, length and flags 4 to 6.
std::string stazione(int32_t posizione, int tipo, int lunghezza, int f4 = 0, int f5 = 0,
                     int f6 = 0, const std::string& nome = "X") {
  return "stazione," + std::to_string(posizione) + "," + std::to_string(tipo) + "," +
         std::to_string(lunghezza) + "," + std::to_string(f4) + "," + std::to_string(f5) +
         "," + std::to_string(f6) + ",0,0,0,0,0,0,0,0,0,0, " + nome;
}

TEST(TrainSource, AStationRowFillsItsSlot) {
  sorgenti s;
  s.scenario(
      {}, {"stazione,       0,  8,  500,  1, 0, 0,  3,1,0,  2,1,1,    1,  19,59,50, "
           "Roma Termini",
           "stazione,   3100, 22,  600,  0, 1, 1,  -3,300,7,  4,-1,1,  115,   0, 0, 1, "
           "Roma S. Pietro"});
  s.leggi();
  ASSERT_EQ(s.st.codice_errore, 0);
  const elemento& a = s.st.elementi[1];
  EXPECT_EQ(a.progressiva, 0);
  EXPECT_EQ(a.tipo, 8);
  EXPECT_EQ(a.opzione_1, 1);
  EXPECT_EQ(a.valore_1, 3);
  EXPECT_EQ(a.valore_2, 1);
  EXPECT_EQ(a.valore_3, 2);
  EXPECT_EQ(a.opzione_3, 1);
  EXPECT_EQ(a.orario, 71990);
  EXPECT_EQ(a.nome, "Roma Termini");
  const elemento& b = s.st.elementi[2];
  EXPECT_EQ(b.opzione_5, 1) << "field 5";
  EXPECT_EQ(b.opzione_4, 1) << "field 6";
  EXPECT_EQ(b.valore_1, -3);
  EXPECT_EQ(b.valore_2, 300);
  EXPECT_EQ(b.opzione_2, 7);
  EXPECT_EQ(b.valore_4, -1);
  EXPECT_EQ(b.opzione_3, 115);
  EXPECT_EQ(b.orario, 1);
  EXPECT_EQ(b.inizio, 2800);
  EXPECT_EQ(b.fine, 3450) << "plus 50 with field 6";
  EXPECT_EQ(b.nome, "Roma S. Pietro");
}

TEST(TrainSource, StationAreasByKind) {
  struct {
    int tipo, posizione, lunghezza, f6;
    int32_t inizio, fine;
    uint8_t opzione_4;
  } casi[] = {{22, 3100, 400, 0, 2900, 3300, 0}, {22, 3100, 400, 1, 2900, 3350, 1},
              {8, 0, 500, 1, -500, 500, 0},      {7, 3000, 200, 1, 2800, 3200, 0},
              {5, 3000, 300, 1, 2700, 3150, 0},  {6, 3000, 300, 0, 2700, 3150, 0},
              {28, 3000, 300, 1, 2850, 3200, 1}};
  for (const auto& c : casi) {
    sorgenti s;
    // A first station far behind, so the flags of the second one stay.
    s.scenario({}, {stazione(-2000, 30, 100),
                    stazione(c.posizione, c.tipo, c.lunghezza, 0, 0, c.f6)});
    s.leggi();
    const elemento& e = s.st.elementi[2];
    EXPECT_EQ(s.st.codice_errore, 0) << c.tipo;
    EXPECT_EQ(e.inizio, c.inizio) << c.tipo;
    EXPECT_EQ(e.fine, c.fine) << c.tipo;
    EXPECT_EQ(e.opzione_4, c.opzione_4) << c.tipo;
  }
}

TEST(TrainSource, FlagsOfShortAndFirstStations) {
  sorgenti s;
  s.scenario({}, {stazione(1000, 22, 600, 0, 1, 1), stazione(3000, 22, 500, 0, 1, 0),
                  stazione(5000, 22, 600, 0, 1, 1)});
  s.leggi();
  EXPECT_EQ(s.st.elementi[1].opzione_4, 0) << "the first station";
  EXPECT_EQ(s.st.elementi[1].opzione_5, 0);
  EXPECT_EQ(s.st.elementi[1].fine, 1350) << "its area still took field 6";
  EXPECT_EQ(s.st.elementi[2].opzione_5, 0) << "shorter than 600 m";
  EXPECT_EQ(s.st.elementi[3].opzione_5, 1);
  EXPECT_EQ(s.st.elementi[3].opzione_4, 1);
}

TEST(TrainSource, StopPointsAndApproachMarks) {
  sorgenti s;
  // Kind 22 ending at 1000 m; kind 5 ending at 3150 m; kind 28 none.
  s.scenario({},
             {stazione(800, 22, 400), stazione(3000, 5, 300), stazione(5000, 28, 400)});
  s.leggi();
  ASSERT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.c(19).codice, codice_cella::fermata);
  EXPECT_EQ(s.c(19).dato_a, 1);
  EXPECT_EQ(s.c(18).preavviso, 81);
  EXPECT_EQ(s.c(17).preavviso, 82);
  EXPECT_EQ(s.c(16).preavviso, 83);
  EXPECT_EQ(s.c(15).preavviso, 84);
  EXPECT_EQ(s.c(62).codice, codice_cella::fermata) << "3150 / 50 - 1 = 62";
  EXPECT_EQ(s.c(62).dato_a, 2);
  for (int i = 55; i < 62; ++i) EXPECT_EQ(s.c(i).preavviso, 0) << "kind 5 has no marks";
  for (int i = 95; i <= 110; ++i) {
    EXPECT_EQ(s.c(i).codice, 0) << i;
    EXPECT_EQ(s.c(i).preavviso, 0) << i;
  }
  EXPECT_EQ(s.st.elementi[3].nome, "X") << "kind 28 still takes its slot";
}

TEST(TrainSource, AStopPointOverwritesWhatTheCellHeld) {
  sorgenti s;
  s.scenario({}, {"abbattimento, 950, 270", stazione(800, 22, 400)});
  s.leggi();
  EXPECT_EQ(s.c(19).codice, codice_cella::fermata);
  EXPECT_EQ(s.c(19).dato_a, 1);
}

TEST(TrainSource, ApproachMarksStopAboveCellOne) {
  sorgenti s;
  s.scenario({}, {stazione(150, 22, 200)});  // fine 250: stop at cell 4
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  EXPECT_EQ(s.c(4).codice, codice_cella::fermata);
  EXPECT_EQ(s.c(3).preavviso, 81);
  EXPECT_EQ(s.c(2).preavviso, 82);
  EXPECT_EQ(s.c(1).preavviso, 0);
}

TEST(TrainSource, SixtyStationsMeetNineteenSigns) {
  sorgenti s;
  std::vector<std::string> segni, stazioni;
  for (int i = 0; i < 19; ++i) {
    segni.push_back("cartello_indicatore, " + std::to_string(500 + i * 100) + ", (S)");
  }
  for (int i = 0; i < 60; ++i) stazioni.push_back(stazione(5000 + i * 1000, 22, 200));
  s.scenario(segni, stazioni, 100000);
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, codice::stazioni_esaurite);
  EXPECT_EQ(s.st.elementi[59].nome, "X");
  EXPECT_EQ(s.st.elementi[60].nome, "X") << "the 60th station is stored";
  EXPECT_EQ(s.st.elementi[60].progressiva, 64000);
  EXPECT_EQ(s.st.elementi[62].nome, "(S)");
}

TEST(TrainSource, NoGeneraleLineStillFillsAndDeletes) {
  sorgenti s;
  s.scenario({});
  s.treno({"velocita, 0, 100", "velocita, 1000, 50", "[fine]"});
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, 0);
  for (int i = 0; i <= ultima; ++i) ASSERT_EQ(s.c(i).velocita, 0) << i;
  EXPECT_FALSE(s.resta_linea());
  EXPECT_FALSE(s.resta_treno());
}

}  // namespace
