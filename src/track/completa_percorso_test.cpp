#include "track/completa_percorso.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "scenario/codici.h"
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

// The row that put a feature on cell k in a traced track: cell k's own span
// of the train source, so a place names the cell it came from.
luogo row_of(int32_t k) { return {documento::treno, static_cast<uint32_t>(k) * 100, 10}; }

// A track whose every cell has a row of its own, with the findings and the
// rows of every cell collected as the author's tool asks for them.
struct traced_track {
  scenario_state st;
  std::vector<reperto> findings;
  std::vector<provenienza_cella> origins;

  traced_track(int32_t last, const std::map<int32_t, uint8_t>& features)
      : st(track(last, features)), origins(st.percorso.size()) {
    for (size_t k = 0; k < origins.size(); ++k) {
      origins[k].caratteristica = row_of(static_cast<int32_t>(k));
    }
    st.reperti = &findings;
    st.provenienza = &origins;
  }
  traced_track(const traced_track&) = delete;
  traced_track& operator=(const traced_track&) = delete;
};

// Where a code point found no room: the cell and metres reported, the row
// of the feature it serves and the row of the cell that took its place.
struct no_room {
  reperto_id id;
  int32_t cell;
  int32_t served;
  int32_t taken;
};

// The one finding of `t` is `want`, and the status pair says the same.
void expect_no_room(const traced_track& t, const no_room& want) {
  ASSERT_EQ(t.findings.size(), 1u);
  const reperto& r = t.findings[0];
  EXPECT_EQ(r.id, want.id);
  EXPECT_EQ(r.cella, want.cell);
  EXPECT_TRUE(r.ha_posizione);
  EXPECT_EQ(r.posizione, want.cell * 50);
  EXPECT_EQ(r.dove, row_of(want.served));
  EXPECT_EQ(r.origine, row_of(want.taken));
  const std::map<reperto_id, int32_t> status = {
      {reperto_id::codice_senza_posto_segnale, 11},
      {reperto_id::codice_senza_posto_finestra, 12},
      {reperto_id::codice_senza_posto_interno, 13}};
  EXPECT_EQ(t.st.codice_errore, status.at(want.id));
  EXPECT_EQ(t.st.posizione_errore, want.cell * 50);
}

// Every code point placed on the track of `t` names the row of `served` as
// its origin, and is marked as added by the build.
void expect_served_by(const traced_track& t, const std::vector<int32_t>& placed,
                      int32_t served) {
  for (int32_t k : placed) {
    EXPECT_EQ(t.origins[k].caratteristica, row_of(served)) << "cell " << k;
    EXPECT_TRUE(t.origins[k].completamento) << "cell " << k;
  }
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

// Cells holding a code point of any value, with the value.
std::vector<std::pair<int32_t, int16_t>> code_values(const scenario_state& st) {
  std::vector<std::pair<int32_t, int16_t>> out;
  for (size_t i = 0; i < st.percorso.size(); ++i) {
    const cella& c = st.percorso[i];
    if (c.codice == CODE) out.emplace_back(static_cast<int32_t>(i), c.dato_a);
  }
  return out;
}

// The code points of value 180 after cell `from`.
std::vector<int32_t> code_points_after(const scenario_state& st, int32_t from) {
  std::vector<int32_t> out;
  for (int32_t i : code_points(st)) {
    if (i > from) out.push_back(i);
  }
  return out;
}

// No finding and no status: every code point found its room.
void expect_all_placed(const traced_track& t) {
  EXPECT_TRUE(t.findings.empty());
  EXPECT_EQ(t.st.codice_errore, 0);
  EXPECT_EQ(t.st.posizione_errore, 0);
}

TEST(Minimo, ReturnsTheSmaller) {
  EXPECT_EQ(minimo(180, 270), 180);
  EXPECT_EQ(minimo(180, 75), 75);
  EXPECT_EQ(minimo(180, 180), 180);
}

// ---- Rule A: the signals before a warning board.

TEST(RuleA, EverySignalWithinTwentyCellsGetsACodePoint) {
  scenario_state st = track(100, {{50, WARN}, {40, SIG}, {35, SIG}, {30, SIG}});
  completa_percorso(st);
  // 30 is exactly 20 cells back.
  EXPECT_EQ(code_points(st), (std::vector<int32_t>{29, 34, 39}));
  EXPECT_EQ(st.codice_errore, 0);
}

TEST(RuleA, ReachIsTwentyCellsBackDownToCellThree) {
  struct Case {
    int32_t board;
    int32_t signal;
    std::vector<int32_t> expected;
  } cases[] = {
      {50, 49, {48}},  // 1 cell back
      {50, 48, {47}},  // 2
      {50, 31, {30}},  // 19
      {50, 30, {29}},  // 20
      {50, 29, {}},    // 21: out of reach
      {23, 3, {2}},    // 20 cells back is cell 3: both edges at once
      {24, 4, {3}},    // 20 cells back
      {24, 3, {}},     // cell 3, but 21 cells back
      {22, 3, {2}},    // 19 cells back, the lowest cell
      {22, 2, {}},     // 20 cells back, but below cell 3
      {5, 4, {3}},     // the board right after the lowest cells
      {5, 3, {2}},    {5, 2, {}}, {3, 2, {}},  // a board at 3 treats nothing
  };
  for (const Case& c : cases) {
    traced_track t(100, {{c.board, WARN}, {c.signal, SIG}});
    completa_percorso(t.st);
    EXPECT_EQ(code_points(t.st), c.expected)
        << "board " << c.board << " signal " << c.signal;
    expect_served_by(t, c.expected, c.signal);
    expect_all_placed(t);
  }
}

// The candidates of a signal at 40 before a board at 50: a free cell right
// before it, a free cell two before, an existing code point right before
// (its value lowered to 180 at most), one two before, or no room.
TEST(RuleA, CandidatesBeforeASignalInOrder) {
  const cella board{.codice = BOARD};
  const cella cancelled{.codice = codice_cella::abbattimento_nullo};
  const auto code = [](int16_t value) { return cella{.codice = CODE, .dato_a = value}; };
  const no_room none_free{reperto_id::codice_senza_posto_segnale, 40, 40, 39};
  struct Case {
    const char* what;
    std::map<int32_t, cella> cells;                  // on 39 and 38
    std::vector<std::pair<int32_t, int16_t>> codes;  // every code point after
    int32_t lowered;                                 // -1: none
    std::optional<no_room> failure;
  } cases[] = {
      // clang-format off
      {"both free",        {},                             {{39, 180}},            -1, {}},
      {"first taken",      {{39, board}},                  {{38, 180}},            -1, {}},
      {"first a code",     {{39, code(270)}},              {{38, 180}, {39, 270}}, -1, {}},
      {"first a code, second taken",
                           {{39, code(270)}, {38, board}}, {{39, 180}},            39, {}},
      {"first a lower code, second taken",
                           {{39, code(75)}, {38, board}},  {{39, 75}},             39, {}},
      {"first taken, second a code",
                           {{39, board}, {38, code(270)}}, {{38, 180}},            38, {}},
      {"both codes", {{39, code(270)}, {38, code(270)}},   {{38, 270}, {39, 180}}, 39, {}},
      {"both taken",       {{39, board}, {38, board}},     {},                     -1, none_free},
      {"first a cancelled code, second taken",
                           {{39, cancelled}, {38, board}}, {},                     -1, none_free},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    traced_track t(100, {{50, WARN}, {40, SIG}});
    for (const auto& [k, feature] : c.cells) t.st.percorso[k] = feature;
    completa_percorso(t.st);
    EXPECT_EQ(code_values(t.st), c.codes);
    for (const auto& [k, value] : c.codes) {
      if (!c.cells.contains(k)) expect_served_by(t, {k}, 40);
    }
    for (int32_t k = 0; k <= 100; ++k) {
      EXPECT_EQ(t.origins[k].valore_abbassato, k == c.lowered) << "cell " << k;
    }
    if (c.lowered >= 0) {
      EXPECT_EQ(t.origins[c.lowered].caratteristica, row_of(c.lowered))
          << "a lowered code point keeps its own row";
      EXPECT_FALSE(t.origins[c.lowered].completamento);
    }
    if (c.failure) {
      expect_no_room(t, *c.failure);
    } else {
      expect_all_placed(t);
    }
  }
}

TEST(RuleA, TheLowestSignalsSecondCandidateIsCellOne) {
  scenario_state st = track(100, {{23, WARN}, {3, SIG}, {2, BOARD}});
  completa_percorso(st);
  EXPECT_EQ(code_points(st), std::vector<int32_t>{1});
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

TEST(RuleA, NoRoomSetsCode11WithTheSignalsPosition) {
  scenario_state st = track(100, {{50, WARN}, {40, SIG}, {39, BOARD}, {38, SIG}});
  completa_percorso(st);
  // 40 has no room; 38 then gets its code point on 37.
  EXPECT_EQ(st.codice_errore, codice::codice_segnale);
  EXPECT_EQ(st.posizione_errore, 40 * 50);
  EXPECT_EQ(code_points(st), std::vector<int32_t>{37});
}

// ---- Rule B: the windows before a start board.

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

// Each window tries its three cells nearest first. A board at 40 has the
// windows 35..33, 29..27 and 22..20; those not under test take their first
// cell. The boards at 7/8, 13/14 and 20/21 are where a window is cut off by
// the start of the track, or reaches down to cell 1.
TEST(RuleB, EachWindowTriesItsCellsInOrder) {
  struct Case {
    const char* what;
    int32_t board;
    std::vector<int32_t> taken;
    std::vector<int32_t> expected;
    int32_t no_room_taken;  // -1: every window found room
  } cases[] = {
      {"all free", 40, {}, {22, 29, 35}, -1},
      {"5..7: the first taken", 40, {35}, {22, 29, 34}, -1},
      {"5..7: the first two taken", 40, {35, 34}, {22, 29, 33}, -1},
      {"5..7: all taken", 40, {35, 34, 33}, {22, 29}, 35},
      {"11..13: the first taken", 40, {29}, {22, 28, 35}, -1},
      {"11..13: the first two taken", 40, {29, 28}, {22, 27, 35}, -1},
      {"11..13: all taken", 40, {29, 28, 27}, {22, 35}, 29},
      {"18..20: the first taken", 40, {22}, {21, 29, 35}, -1},
      {"18..20: the first two taken", 40, {22, 21}, {20, 29, 35}, -1},
      {"18..20: all taken", 40, {22, 21, 20}, {29, 35}, 22},
      {"5..7 cut off", 7, {2, 1, 0}, {}, -1},
      {"5..7 down to cell 1", 8, {3, 2}, {1}, -1},
      {"11..13 cut off", 13, {2, 1, 0}, {8}, -1},
      {"11..13 down to cell 1", 14, {3, 2}, {1, 9}, -1},
      {"18..20 cut off", 20, {2, 1, 0}, {9, 15}, -1},
      {"18..20 down to cell 1", 21, {3, 2}, {1, 10, 16}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    traced_track t(100, {{c.board + 10, END}});
    for (int32_t k : c.taken) t.st.percorso[k].codice = BOARD;
    start_board(t.st, c.board, 150);  // no code points inside at this speed
    completa_percorso(t.st);
    EXPECT_EQ(code_points(t.st), c.expected);
    expect_served_by(t, c.expected, c.board);
    if (c.no_room_taken >= 0) {
      expect_no_room(t, {reperto_id::codice_senza_posto_finestra, c.board, c.board,
                         c.no_room_taken});
    } else {
      expect_all_placed(t);
    }
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

// ---- Rule B: the walk inside the slowdown.

TEST(RuleB, InsideOnlyBelow110KmH) {
  struct Case {
    int16_t speed;
    std::vector<int32_t> expected;
  } cases[] = {
      {100, {12, 19, 25, 38, 46, 54}},
      {109, {12, 19, 25, 38, 46, 54}},
      {110, {12, 19, 25}},
      {-5, {12, 19, 25, 38, 46, 54}},  // a signed comparison
  };
  for (const Case& c : cases) {
    scenario_state st = track(200, {{60, END}});
    start_board(st, 30, c.speed);
    completa_percorso(st);
    EXPECT_EQ(code_points(st), c.expected) << "speed " << c.speed;
  }
}

// Every 8th cell of the walk from a board at 30 (first cell 38) tries that
// cell, the one before it, then the one after it; the next try comes 8
// cells after the code point placed. The walk ends with the end board's pass.
TEST(RuleB, InsideTheWalkTriesTheCellThenBeforeThenAfter) {
  struct Case {
    const char* what;
    int32_t last, end;  // end -1: no end board
    std::vector<int32_t> taken;
    std::vector<int32_t> inside;
    int32_t no_room;  // the counted cell without room, -1 for none
  } cases[] = {
      {"all free", 200, 60, {}, {38, 46, 54}, -1},
      {"the cell taken", 200, 60, {38}, {37, 45, 53}, -1},
      {"the cell and the one before taken", 200, 60, {38, 37}, {39, 47, 55}, -1},
      {"all three taken: none after either", 200, 60, {38, 37, 39}, {}, 38},
      {"the second try without room", 200, 60, {46, 45, 47}, {38}, 46},
      {"the end board on the counted cell", 200, 38, {}, {37}, -1},
      {"the end board right after it", 200, 39, {}, {38}, -1},
      {"the end board on the second counted cell", 200, 46, {}, {38, 45}, -1},
      {"no end board: the cell after is the last", 39, -1, {38, 37}, {39}, -1},
      {"no end board: no cell after the last", 38, -1, {38, 37}, {}, 38},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    traced_track t(c.last, {});
    if (c.end >= 0) t.st.percorso[c.end].codice = END;
    for (int32_t k : c.taken) t.st.percorso[k].codice = BOARD;
    start_board(t.st, 30, 100);
    completa_percorso(t.st);
    EXPECT_EQ(code_points_after(t.st, 30), c.inside);
    EXPECT_EQ(code_points(t.st).size(), c.inside.size() + 3) << "the windows: 12, 19, 25";
    expect_served_by(t, c.inside, 30);
    if (c.no_room >= 0) {
      expect_no_room(t,
                     {reperto_id::codice_senza_posto_interno, c.no_room, 30, c.no_room});
    } else {
      expect_all_placed(t);
    }
  }
}

// ---- Rule B: the point before the first signal after the end board.

// The search starts on the walk's last cell (the end board at 60 here) and
// looks 12 cells on; the signal's cell before it, or the one before that.
TEST(RuleB, CodePointBeforeTheFirstSignalWithinTwelveCells) {
  struct Case {
    const char* what;
    int32_t last, end;  // end -1: no end board
    int16_t speed;
    std::vector<int32_t> signals;
    std::vector<int32_t> taken;
    std::vector<int32_t> expected;  // every code point after the board at 30
    int32_t no_room_taken;          // -1: room found
  } cases[] = {
      {"1 cell: before it is the end board", 200, 60, 150, {61}, {}, {59}, -1},
      {"2 cells", 200, 60, 150, {62}, {}, {61}, -1},
      {"5 cells", 200, 60, 150, {65}, {}, {64}, -1},
      {"11 cells", 200, 60, 150, {71}, {}, {70}, -1},
      {"12 cells", 200, 60, 150, {72}, {}, {71}, -1},
      {"13 cells: out of reach", 200, 60, 150, {73}, {}, {}, -1},
      {"0 cells: no end board, a signal last", 40, -1, 150, {40}, {}, {39}, -1},
      {"0 cells after the walk's code points", 40, -1, 100, {40}, {}, {38, 39}, -1},
      {"a signal before the end board is not looked at", 200, 60, 150, {59}, {}, {}, -1},
      {"only the first signal", 200, 60, 150, {63, 66}, {}, {62}, -1},
      {"the cell before taken", 200, 60, 150, {65}, {64}, {63}, -1},
      {"both taken, the next signal not tried", 200, 60, 150, {63, 66}, {62, 61}, {}, 62},
      {"after the walk's code points", 200, 60, 100, {62}, {}, {38, 46, 54, 61}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    traced_track t(c.last, {});
    if (c.end >= 0) t.st.percorso[c.end].codice = END;
    for (int32_t k : c.signals) t.st.percorso[k].codice = SIG;
    for (int32_t k : c.taken) t.st.percorso[k].codice = BOARD;
    start_board(t.st, 30, c.speed);
    completa_percorso(t.st);
    EXPECT_EQ(code_points_after(t.st, 30), c.expected);
    expect_served_by(t, c.expected, 30);
    if (c.no_room_taken >= 0) {
      expect_no_room(
          t, {reperto_id::codice_senza_posto_interno, c.end, 30, c.no_room_taken});
    } else {
      expect_all_placed(t);
    }
  }
}

// ---- The scan over the track.

TEST(Completion, TrackWithoutSlowdownStaysUnchanged) {
  scenario_state st =
      track(100, {{10, SIG}, {20, BOARD}, {30, END}, {99, START}, {100, WARN}});
  // Boards in the last two cells lie beyond the scan.
  std::vector<cella> before = st.percorso;
  completa_percorso(st);
  EXPECT_EQ(st.percorso, before);
  EXPECT_EQ(st.codice_errore, 0);
}

// Boards on cells 1 to last - 2 are treated, from the first to the last.
TEST(Completion, ScanFromCellOneToTheThirdLastInOrder) {
  struct Case {
    const char* what;
    int32_t last;
    std::map<int32_t, uint8_t> features;
    int32_t start;  // start board at 100 km/h, -1 for none
    std::vector<int32_t> expected;
  } cases[] = {
      {"a warning board on the third last cell", 60, {{58, WARN}, {50, SIG}}, -1, {49}},
      {"a warning board on the second last cell", 60, {{59, WARN}, {50, SIG}}, -1, {}},
      {"a start board on the third last cell", 60, {}, 58, {40, 47, 53}},
      {"a start board on the second last cell", 60, {}, 59, {}},
      {"a start board on cell 1", 60, {{20, END}}, 1, {9, 17}},
      {"a start board on cell 0", 60, {{20, END}}, 0, {}},
      {"4 cells: the point before a signal on the last", 3, {{3, SIG}}, 1, {2}},
      // Rule B at 40 places 35 first (and 48 inside), so rule A at 45 finds
      // the signal at 36 with 35 a code point and 34 taken; the other way
      // round, 35 would be rule A's and the window would go on to 33.
      {"the earlier board first",
       100,
       {{34, BOARD}, {36, SIG}, {45, WARN}, {50, END}},
       40,
       {22, 29, 35, 48}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    scenario_state st = track(c.last, c.features);
    if (c.start >= 0) start_board(st, c.start, 100);
    completa_percorso(st);
    EXPECT_EQ(code_points(st), c.expected);
    EXPECT_EQ(st.codice_errore, 0);
  }
}

}  // namespace
