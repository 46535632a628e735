#include "scenario/codici.h"
#include "track/completa_percorso.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "scenario/scenario_state.h"

namespace {

constexpr uint8_t SIG = codice_cella::segnale;
constexpr uint8_t END = codice_cella::fine_rallentamento;
constexpr uint8_t START = codice_cella::inizio_rallentamento;
constexpr uint8_t WARN = codice_cella::avviso_rallentamento;
constexpr uint8_t BOARD = codice_cella::indicatori_v_max;
constexpr uint8_t CODE = codice_cella::abbattimento;

// A bare track of cells 0..last with the given features.
scenario_state track(int32_t last, const std::map<int32_t, uint8_t>& features) {
  scenario_state st;
  st.numero_celle = last;
  st.percorso.assign(static_cast<size_t>(last) + 1, cella{});
  for (auto [i, codice] : features) st.percorso[i].codice = codice;
  return st;
}

void start_board(scenario_state& st, int32_t i, int16_t speed) {
  st.percorso[i].codice = START;
  st.percorso[i].dato_a = speed;
}

// The cells that hold a code point of value 180, in order.
std::vector<int32_t> code_points(const scenario_state& st) {
  std::vector<int32_t> out;
  for (size_t i = 0; i < st.percorso.size(); ++i) {
    const cella& c = st.percorso[i];
    if (c.codice == CODE && c.dato_a == 180) out.push_back(static_cast<int32_t>(i));
  }
  return out;
}

TEST(Minimo, ReturnsTheSmaller) {
  EXPECT_EQ(minimo(180, 270), 180);
  EXPECT_EQ(minimo(180, 75), 75);
  EXPECT_EQ(minimo(180, 180), 180);
}

TEST(RuleA, EverySignalWithinTwentyCellsGetsACodePoint) {
  scenario_state st = track(100, {{50, WARN}, {40, SIG}, {35, SIG}, {30, SIG}});
  completa_percorso(st);
  // 30 is exactly 20 cells back.
  EXPECT_EQ(code_points(st), (std::vector<int32_t>{29, 34, 39}));
  EXPECT_EQ(st.codice_errore, 0);

  scenario_state far = track(100, {{50, WARN}, {29, SIG}});
  completa_percorso(far);
  EXPECT_TRUE(code_points(far).empty()) << "21 cells back is out of reach";
}

TEST(RuleA, LookBackStopsAtCellThree) {
  struct Case {
    int32_t board;
    int32_t signal;
    std::vector<int32_t> expected;
  } cases[] = {
      {5, 4, {3}},  // i - 1 = 4: treated
      {5, 3, {2}},  // i - 2 = 3: the lowest cell treated
      {5, 2, {}},   // below cell 3: not looked at
      {3, 2, {}},   // a board at 3 treats nothing
  };
  for (const Case& c : cases) {
    scenario_state st = track(40, {{c.board, WARN}, {c.signal, SIG}});
    completa_percorso(st);
    EXPECT_EQ(code_points(st), c.expected)
        << "board " << c.board << " signal " << c.signal;
  }
}

TEST(RuleA, FreeCellWinsOverAnExistingCodePoint) {
  scenario_state st = track(100, {{50, WARN}, {40, SIG}, {39, CODE}});
  st.percorso[39].dato_a = 270;
  st.percorso[38].codice = codice_cella::marcatore_montagna;  // a marker counts as free
  st.percorso[38].tipo_montagna = 2;
  completa_percorso(st);
  EXPECT_EQ(st.percorso[39].dato_a, 270);
  EXPECT_EQ(st.percorso[38].codice, CODE);
  EXPECT_EQ(st.percorso[38].dato_a, 180);
  EXPECT_EQ(st.percorso[38].tipo_montagna, 2) << "other fields stay";
}

TEST(RuleA, ExistingCodePointIsLoweredTo180ButNeverRaised) {
  struct Case {
    int16_t p_value;  // code point right before the signal
    int16_t expected;
  } cases[] = {{270, 180}, {75, 75}};
  for (const Case& c : cases) {
    scenario_state st = track(100, {{50, WARN}, {40, SIG}, {39, CODE}, {38, BOARD}});
    st.percorso[39].dato_a = c.p_value;
    completa_percorso(st);
    EXPECT_EQ(st.percorso[39].dato_a, c.expected);
    EXPECT_EQ(st.codice_errore, 0);
  }
  // The second cell's code point is lowered when the first is another feature.
  scenario_state st = track(100, {{50, WARN}, {40, SIG}, {39, BOARD}, {38, CODE}});
  st.percorso[38].dato_a = 270;
  completa_percorso(st);
  EXPECT_EQ(st.percorso[38].dato_a, 180);
}

TEST(RuleA, NoRoomSetsCode11WithTheSignalsPosition) {
  scenario_state st = track(100, {{50, WARN}, {40, SIG}, {39, BOARD}, {38, SIG}});
  completa_percorso(st);
  // 40 has no room; 38 then gets its code point on 37.
  EXPECT_EQ(st.codice_errore, codice::codice_segnale);
  EXPECT_EQ(st.posizione_errore, 40 * 50);
  EXPECT_EQ(code_points(st), std::vector<int32_t>{37});
}

TEST(RuleB, WindowsBeforeTheStartBoardByIndex) {
  struct Case {
    int32_t board;
    std::vector<int32_t> expected;
  } cases[] = {
      {7, {}},       {8, {3}},          {13, {8}},          {14, {3, 9}},
      {20, {9, 15}}, {21, {3, 10, 16}}, {40, {22, 29, 35}},
  };
  for (const Case& c : cases) {
    scenario_state st = track(100, {});
    start_board(st, c.board, 150);  // no code points inside at this speed
    st.percorso[c.board + 10].codice = END;
    completa_percorso(st);
    EXPECT_EQ(code_points(st), c.expected) << "board " << c.board;
    EXPECT_EQ(st.codice_errore, 0);
  }
}

TEST(RuleB, WindowTakesTheFirstFreeCellOrSetsCode12) {
  scenario_state st =
      track(100, {{35, BOARD}, {34, BOARD}, {29, BOARD}, {28, BOARD}, {27, SIG}});
  start_board(st, 40, 150);
  st.percorso[50].codice = END;
  completa_percorso(st);
  // Window 35..33 takes 33; window 29..27 is full; window 22..20 takes 22.
  EXPECT_EQ(code_points(st), (std::vector<int32_t>{22, 33}));
  EXPECT_EQ(st.codice_errore, codice::codice_finestra);
  EXPECT_EQ(st.posizione_errore, 40 * 50);
}

TEST(RuleB, CodePointsEveryEightCellsInsideASlowSlowdown) {
  scenario_state st = track(200, {{60, END}});
  start_board(st, 30, 100);
  completa_percorso(st);
  EXPECT_EQ(code_points(st), (std::vector<int32_t>{12, 19, 25, 38, 46, 54}));
}

TEST(RuleB, NothingInsideAt110OrMore) {
  scenario_state st = track(200, {{60, END}});
  start_board(st, 30, 110);
  completa_percorso(st);
  EXPECT_EQ(code_points(st), (std::vector<int32_t>{12, 19, 25}));
}

TEST(RuleB, DisplacedCodePointRestartsTheCount) {
  struct Case {
    std::map<int32_t, uint8_t> taken;
    std::vector<int32_t> inside;
  } cases[] = {
      {{{38, BOARD}}, {37, 45, 53}},               // one cell back, then 8 after it
      {{{38, BOARD}, {37, BOARD}}, {39, 47, 55}},  // one cell on, then 8 after it
  };
  for (const Case& c : cases) {
    scenario_state st = track(200, c.taken);
    st.percorso[60].codice = END;
    start_board(st, 30, 100);
    completa_percorso(st);
    std::vector<int32_t> inside;
    for (int32_t i : code_points(st)) {
      if (i > 30) inside.push_back(i);
    }
    EXPECT_EQ(inside, c.inside);
  }
}

TEST(RuleB, NoRoomInsideSetsCode13AndEndsTheWalksCodePoints) {
  scenario_state st = track(200, {{37, BOARD}, {38, BOARD}, {39, BOARD}, {60, END}});
  start_board(st, 30, 100);
  completa_percorso(st);
  EXPECT_EQ(st.codice_errore, codice::codice_interno);
  EXPECT_EQ(st.posizione_errore, 38 * 50);
  EXPECT_EQ(code_points(st), (std::vector<int32_t>{12, 19, 25}));
}

TEST(RuleB, CodePointBeforeTheNextSignalWithinTwelveCells) {
  struct Case {
    int32_t signal;
    std::map<int32_t, uint8_t> taken;
    std::vector<int32_t> after_end;
    int32_t codice_errore;
  } cases[] = {
      {65, {}, {64}, 0},
      {72, {}, {71}, 0},  // 12 cells after the end board: still found
      {73, {}, {}, 0},    // 13 cells after: out of reach
      {65, {{64, BOARD}}, {63}, 0},
      {65, {{64, BOARD}, {63, BOARD}}, {}, 13},
  };
  for (const Case& c : cases) {
    scenario_state st = track(200, c.taken);
    st.percorso[60].codice = END;
    st.percorso[c.signal].codice = SIG;
    start_board(st, 30, 150);
    completa_percorso(st);
    std::vector<int32_t> after_end;
    for (int32_t i : code_points(st)) {
      if (i > 60) after_end.push_back(i);
    }
    EXPECT_EQ(after_end, c.after_end) << "signal " << c.signal;
    EXPECT_EQ(st.codice_errore, c.codice_errore) << "signal " << c.signal;
    if (c.codice_errore == 13) {
      EXPECT_EQ(st.posizione_errore, 60 * 50);
    }
  }
}

TEST(RuleB, WithoutAnEndBoardTheWalkStopsAtTheLastCell) {
  scenario_state st = track(40, {});
  start_board(st, 30, 100);
  st.percorso[40].codice = SIG;  // the last cell
  completa_percorso(st);
  // Inside: 38; then the signal in the last cell gets its code point on 39.
  EXPECT_EQ(code_points(st), (std::vector<int32_t>{12, 19, 25, 38, 39}));
  EXPECT_EQ(st.codice_errore, 0);
}

TEST(Completion, TrackWithoutSlowdownStaysUnchanged) {
  scenario_state st =
      track(100, {{10, SIG}, {20, BOARD}, {30, END}, {99, START}, {100, WARN}});
  // Boards in the last two cells lie beyond the scan.
  std::vector<cella> before = st.percorso;
  completa_percorso(st);
  EXPECT_EQ(st.percorso, before);
  EXPECT_EQ(st.codice_errore, 0);
}

}  // namespace
