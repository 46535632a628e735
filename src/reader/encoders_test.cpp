#include "scenario/codici.h"
#include "reader/encoders.h"

#include <gtest/gtest.h>

#include <vector>

#include "scenario/scenario_state.h"

namespace {

// A bare track of cells 0..ultima.
scenario_state binario(int32_t ultima = 700) {
  scenario_state st;
  st.numero_celle = ultima;
  st.percorso.assign(static_cast<size_t>(ultima) + 1, cella{});
  return st;
}

cella con_codice(uint8_t codice) {
  cella c;
  c.codice = codice;
  return c;
}

// --- memo_segnale -----------------------------------------------------------

TEST(MemoSegnale, LaysTheSignalAndItsApproachMarks) {
  scenario_state st = binario();
  memo_segnale(st, {1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 255});
  EXPECT_EQ(st.codice_errore, 0);
  const cella& s = st.percorso[22];
  EXPECT_EQ(s.codice, codice_cella::segnale);
  EXPECT_EQ(s.dato_a, 42);
  EXPECT_EQ(s.dato_b, 11);
  EXPECT_EQ(s.dato_c, 11);
  EXPECT_EQ(s.dato_d, 8);
  EXPECT_EQ(s.tempo, 255);
  EXPECT_EQ(st.percorso[20].preavviso, 81);
  EXPECT_EQ(st.percorso[18].preavviso, 82);
  EXPECT_EQ(st.percorso[16].preavviso, 83);
  EXPECT_EQ(st.percorso[14].preavviso, 84);
  for (int i : {12, 13, 15, 17, 19, 21, 23}) EXPECT_EQ(st.percorso[i].preavviso, 0) << i;
}

TEST(MemoSegnale, HalfCellsRoundToEvenSoTwoSignalsMeet) {
  scenario_state st = binario();
  memo_segnale(st, {1025, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0});  // 21.5 -> 22
  EXPECT_EQ(st.percorso[22].codice, codice_cella::segnale);
  const std::vector<cella> prima = st.percorso;
  memo_segnale(st, {1075, 2, 3, 0, 0, 0, 2, 1, 0, 0, 0});  // 22.5 -> 22
  EXPECT_EQ(st.codice_errore, codice::segnale_occupato);
  EXPECT_EQ(st.percorso, prima) << "a refused signal writes nothing";
}

TEST(MemoSegnale, TimeIsRaisedTo101AndKeptOnlyWithSx2) {
  struct {
    int32_t sx, tempo;
    uint8_t atteso;
  } casi[] = {{2, 100, 101}, {2, 1, 101},  {2, 0, 0},    {2, 255, 255},
              {2, 101, 101}, {2, -5, 251}, {2, 300, 44}, {1, 200, 0}};
  for (const auto& c : casi) {
    scenario_state st = binario();
    memo_segnale(st, {1050, c.sx, 4, 0, 0, 0, 2, 1, 0, 0, c.tempo});
    EXPECT_EQ(st.percorso[22].tempo, c.atteso) << c.sx << " " << c.tempo;
  }
}

TEST(MemoSegnale, AMountainMarkerGivesWayAFeatureDoesNot) {
  scenario_state st = binario();
  st.percorso[22] = con_codice(codice_cella::marcatore_montagna);
  st.percorso[22].tipo_montagna = 2;
  memo_segnale(st, {1050, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0});
  EXPECT_EQ(st.codice_errore, 0);
  EXPECT_EQ(st.percorso[22].codice, codice_cella::segnale);
  EXPECT_EQ(st.percorso[22].tipo_montagna, 2);

  st.percorso[40] = con_codice(codice_cella::indicatori_v_max);
  memo_segnale(st, {1950, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0});
  EXPECT_EQ(st.codice_errore, codice::segnale_occupato);
}

TEST(MemoSegnale, StoredValuesKeepTheirLowBits) {
  scenario_state st = binario();
  memo_segnale(st, {1050, 2, 4000, 0, 0, 0, 2, 0, 0, 0, 0});  // 40000
  EXPECT_EQ(st.percorso[22].dato_a, static_cast<int16_t>(40000 - 65536));
  memo_segnale(st, {2050, 30, 4, 0, 0, 0, 0, 0, 0, 0, 0});  // marks (90)*10 + c
  EXPECT_EQ(st.percorso[40].preavviso, static_cast<uint8_t>(901));
}

TEST(MemoSegnale, CellsOutsideTheTrackEndTheReading) {
  // The approach marks reach 8 cells back; the signal must lie in the track.
  for (int32_t posizione : {300, -1000, 35000, 2000000000}) {
    scenario_state st = binario();
    const std::vector<cella> prima = st.percorso;
    memo_segnale(st, {posizione, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0});
    EXPECT_EQ(st.codice_errore, codice::errore_lettura) << posizione;
    EXPECT_EQ(st.percorso, prima) << posizione;
  }
  scenario_state st = binario();
  memo_segnale(st, {350, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0});  // cell 8, marks down to 0
  EXPECT_EQ(st.codice_errore, 0);
  EXPECT_EQ(st.percorso[0].preavviso, 84);
}

// --- memo_indicatori_v_max --------------------------------------------------

TEST(MemoIndicatoriVMax, PacksBothSetsOfSpeeds) {
  scenario_state st = binario();
  memo_indicatori_v_max(st, {26350, 130, 140, 145, 2, 130, 140, 145, 2});
  memo_indicatori_v_max(st, {1000, 90, 95, 100, 0, 0, 0, 0, 0});
  EXPECT_EQ(st.codice_errore, 0);
  const cella& a = st.percorso[528];
  EXPECT_EQ(a.codice, codice_cella::indicatori_v_max);
  EXPECT_EQ(a.dato_a, 2626);
  EXPECT_EQ(a.dato_b, 2828);
  EXPECT_EQ(a.dato_c, 2929);
  EXPECT_EQ(a.dato_d, 22);
  const cella& b = st.percorso[21];
  EXPECT_EQ(b.dato_a, 1800);
  EXPECT_EQ(b.dato_b, 1900);
  EXPECT_EQ(b.dato_c, 2000);
  EXPECT_EQ(b.dato_d, 0);
}

TEST(MemoIndicatoriVMax, SpeedsOffTheFiveKmHGridRoundToTheNearest) {
  scenario_state st = binario();
  memo_indicatori_v_max(st, {1000, 100, 100, -100, 0, 12, 13, 13, 0});
  EXPECT_EQ(st.percorso[21].dato_a, 2002);   // 2000 + 2.4
  EXPECT_EQ(st.percorso[21].dato_b, 2003);   // 2000 + 2.6
  EXPECT_EQ(st.percorso[21].dato_c, -1997);  // -2000 + 2.6 = -1997.4
}

TEST(MemoIndicatoriVMax, ATakenCellIsRefusedUnchanged) {
  scenario_state st = binario();
  st.percorso[21] = con_codice(codice_cella::segnale);
  const std::vector<cella> prima = st.percorso;
  memo_indicatori_v_max(st, {1000, 90, 95, 100, 0, 0, 0, 0, 0});
  EXPECT_EQ(st.codice_errore, codice::indicatori_occupati);
  EXPECT_EQ(st.percorso, prima);
}

TEST(MemoIndicatoriVMax, ASpeedPairBeyond16BitsFailsWithTheBoardAlreadyMarked) {
  scenario_state st = binario();
  memo_indicatori_v_max(st, {1000, 90, 2000, 100, 0, 0, 0, 0, 0});  // 40000
  EXPECT_EQ(st.codice_errore, codice::errore_lettura);
  EXPECT_EQ(st.percorso[21].codice, codice_cella::indicatori_v_max);
  EXPECT_EQ(st.percorso[21].dato_a, 1800);
  EXPECT_EQ(st.percorso[21].dato_b, 0);
}

TEST(MemoIndicatoriVMax, CellsOutsideTheTrackEndTheReading) {
  for (int32_t posizione : {-100, 35050}) {
    scenario_state st = binario();
    memo_indicatori_v_max(st, {posizione, 90, 95, 100, 0, 0, 0, 0, 0});
    EXPECT_EQ(st.codice_errore, codice::errore_lettura) << posizione;
  }
}

// --- memo_rallentamento -----------------------------------------------------

TEST(MemoRallentamento, LaysBoardsWarningAndApproachMarks) {
  scenario_state st = binario();
  memo_rallentamento(st, {1550, 60, 1000, 7, 1, 9});
  EXPECT_EQ(st.codice_errore, 0);
  const cella& w = st.percorso[8];
  EXPECT_EQ(w.codice, codice_cella::avviso_rallentamento);
  EXPECT_EQ(w.dato_a, 60);
  EXPECT_EQ(w.dato_b, 9);
  EXPECT_EQ(w.dato_c, 0);
  const cella& s = st.percorso[32];
  EXPECT_EQ(s.codice, codice_cella::inizio_rallentamento);
  EXPECT_EQ(s.dato_a, 60);
  EXPECT_EQ(s.dato_b, 9);
  EXPECT_EQ(s.dato_c, 7);
  const cella& e = st.percorso[52];
  EXPECT_EQ(e.codice, codice_cella::fine_rallentamento);
  EXPECT_EQ(e.dato_a, 60);
  EXPECT_EQ(e.dato_b, 9);
  EXPECT_EQ(e.dato_c, 7);
  for (int k = 0; k < 4; ++k) {
    const cella& m = st.percorso[7 - k];
    EXPECT_EQ(m.codice, codice_cella::preavviso_rallentamento) << k;
    EXPECT_EQ(m.dato_a, k + 1);
    EXPECT_EQ(m.dato_b, k + 1);
  }
}

TEST(MemoRallentamento, NoWarningAt1500WhateverTheSwitch) {
  scenario_state st = binario();
  memo_rallentamento(st, {1500, 60, 500, 0, 1, 0});
  EXPECT_EQ(st.codice_errore, 0);
  int tavole = 0;
  for (const cella& c : st.percorso) tavole += c.codice != 0;
  EXPECT_EQ(tavole, 2);
  EXPECT_EQ(st.percorso[31].codice, codice_cella::inizio_rallentamento);
  EXPECT_EQ(st.percorso[41].codice, codice_cella::fine_rallentamento);
  EXPECT_EQ(st.percorso[41].dato_b, 0) << "d_v 0 leaves dato_b";
}

TEST(MemoRallentamento, AShortSlowdownHasStartAndEndInOneCell) {
  scenario_state st = binario();
  memo_rallentamento(st, {3000, 60, 20, 0, 0, 0});
  EXPECT_EQ(st.codice_errore, 0);
  EXPECT_EQ(st.percorso[61].codice, codice_cella::inizio_rallentamento);
}

TEST(MemoRallentamento, TakenBoardCellsLeaveTheTrackUnchanged) {
  struct {
    int32_t cella_presa;
    int32_t codice;
  } casi[] = {{37, 17}, {61, 18}, {81, 19}};
  for (const auto& c : casi) {
    scenario_state st = binario();
    st.percorso[c.cella_presa] = con_codice(codice_cella::segnale);
    const std::vector<cella> prima = st.percorso;
    memo_rallentamento(st, {3000, 60, 1000, 0, 1, 0});
    EXPECT_EQ(st.codice_errore, c.codice);
    EXPECT_EQ(st.percorso, prima) << c.codice;
  }
}

TEST(MemoRallentamento, TakenApproachCellsLeaveTheBoardsWithoutMarks) {
  scenario_state st = binario();
  st.percorso[33] = con_codice(codice_cella::abbattimento);  // marks 36..33
  memo_rallentamento(st, {3000, 60, 1000, 0, 1, 0});
  EXPECT_EQ(st.codice_errore, codice::preavvisi_occupati);
  EXPECT_EQ(st.percorso[37].codice, codice_cella::avviso_rallentamento);
  EXPECT_EQ(st.percorso[61].codice, codice_cella::inizio_rallentamento);
  EXPECT_EQ(st.percorso[81].codice, codice_cella::fine_rallentamento);
  for (int i : {34, 35, 36}) EXPECT_EQ(st.percorso[i].codice, 0) << i;
}

TEST(MemoRallentamento, CellsOutsideTheTrackEndTheReading) {
  struct {
    int32_t x, l;
  } casi[] = {{-500, 100}, {34000, 2000}, {3000, -10000}, {2000000000, 2000000000}};
  for (const auto& c : casi) {
    scenario_state st = binario();
    const std::vector<cella> prima = st.percorso;
    memo_rallentamento(st, {c.x, 60, c.l, 0, 1, 0});
    EXPECT_EQ(st.codice_errore, codice::errore_lettura) << c.x << " " << c.l;
    EXPECT_EQ(st.percorso, prima);
  }
}

// --- memo_montagna ----------------------------------------------------------

TEST(MemoMontagna, MarksEveryFourthEmptyCell) {
  scenario_state st = binario();
  st.percorso[182] = con_codice(codice_cella::segnale);
  memo_montagna(st, {8750, 11150, 12});
  EXPECT_EQ(st.codice_errore, 0);
  EXPECT_EQ(st.numero_montagne, 1);
  EXPECT_EQ(st.montagna_inizio[1], 8750);
  EXPECT_EQ(st.montagna_fine[1], 11150);
  for (int i = 0; i < 700; ++i) {
    const bool dentro = i >= 175 && i <= 222;
    EXPECT_EQ(st.percorso[i].tipo_montagna, dentro ? 2 : 0) << i;
    const bool marcatore = dentro && (i - 175 + 1) % 4 == 0 && i != 182;
    if (i != 182) {
      EXPECT_EQ(st.percorso[i].codice, marcatore ? 11 : 0) << i;
    }
  }
  EXPECT_EQ(st.percorso[182].codice, codice_cella::segnale);
  EXPECT_EQ(st.percorso[222].codice, 11);
}

TEST(MemoMontagna, WithoutMarkersOnlyTheTypeIsSet) {
  scenario_state st = binario();
  memo_montagna(st, {1000, 2000, 2});
  for (const cella& c : st.percorso) EXPECT_EQ(c.codice, 0);
  EXPECT_EQ(st.percorso[20].tipo_montagna, 2);
  EXPECT_EQ(st.percorso[39].tipo_montagna, 2);
  EXPECT_EQ(st.percorso[40].tipo_montagna, 0);
}

TEST(MemoMontagna, AStretchCloseBehindThePreviousOneTakesType3) {
  struct {
    int32_t inizio;
    uint8_t tipo;
  } casi[] = {{2150, 3}, {2200, 2}, {1900, 3}};
  for (const auto& c : casi) {
    scenario_state st = binario();
    memo_montagna(st, {1000, 2000, 2});
    memo_montagna(st, {c.inizio, 3000, 12});
    EXPECT_EQ(st.percorso[50].tipo_montagna, c.tipo) << c.inizio;
    EXPECT_EQ(st.percorso[c.inizio / 50 + 3].codice, 11) << "markers stay on";
  }
}

TEST(MemoMontagna, AnEmptyStretchIsStillCounted) {
  scenario_state st = binario();
  memo_montagna(st, {3000, 3000, 2});
  EXPECT_EQ(st.numero_montagne, 1);
  for (const cella& c : st.percorso) EXPECT_EQ(c.tipo_montagna, 0);
}

TEST(MemoMontagna, TheTablesHoldEightyStretches) {
  scenario_state st = binario();
  for (int i = 0; i < 80; ++i) memo_montagna(st, {i * 400, i * 400 + 100, 2});
  EXPECT_EQ(st.codice_errore, 0);
  EXPECT_EQ(st.numero_montagne, 80);
  const std::vector<cella> prima = st.percorso;
  memo_montagna(st, {33000, 33100, 2});
  EXPECT_EQ(st.codice_errore, codice::errore_lettura);
  EXPECT_EQ(st.numero_montagne, 80);
  EXPECT_EQ(st.percorso, prima);
}

TEST(MemoMontagna, AStretchOutsideTheTrackEndsTheReading) {
  for (auto [inizio, fine] : {std::pair{34000, 36000}, std::pair{-500, 500}}) {
    scenario_state st = binario();
    memo_montagna(st, {inizio, fine, 2});
    EXPECT_EQ(st.codice_errore, codice::errore_lettura) << inizio;
    EXPECT_EQ(st.numero_montagne, 0);
  }
}

}  // namespace
