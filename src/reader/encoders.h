// The track feature encoders: each lays one source row into the cells of
// `percorso`. A conflict sets `codice_errore` and returns; no encoder sets
// `posizione_errore` (the reader does, when it sees the code).
//
// Cell occupancy is the only test the layout rules ask for; on top of it
// every encoder refuses, with status 25 and nothing written, a row that
// would address a cell outside the track (or a 81st mountain), so no input
// can reach outside `percorso` or the mountain tables.
#pragma once

#include <cstdint>

struct scenario_state;

// A mountain stretch over the cells round(inizio/50) .. round(fine/50 - 1).
// `tipo` above 10 is the type `tipo` - 10 with markers (code 11 on every
// fourth empty cell). A stretch starting 150 m or less after the previous
// one's end takes type 3.
void memo_montagna(scenario_state& st, int32_t inizio, int32_t fine, int32_t tipo);

// The boards of a slowdown from `x`, `l` metres long: end (2), start (3),
// warning 1200 m before (4, only when x > 1500) and, when `f_ta` is set, four
// approach marks (5). Codes 17, 18, 19 leave the track unchanged; code 20
// leaves the three boards without approach marks.
void memo_rallentamento(scenario_state& st, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v);

// A signal (1) at round(posizione/50 + 1) and its approach marks in the four
// cells 2, 4, 6 and 8 before it. Code 16 when the cell is taken.
void memo_segnale(scenario_state& st, int32_t posizione, int32_t sx, int32_t s1,
                  int32_t s2, int32_t s3, int32_t rapp, int32_t dx, int32_t d1,
                  int32_t d2, int32_t d3, int32_t tempo);

// Speed-limit boards (6) at round(posizione/50 + 1). Code 21 when the cell is
// taken; a speed pair whose rounded value does not fit 16 bits ends with 25,
// the cell already marked 6.
void memo_indicatori_v_max(scenario_state& st, int32_t posizione, int32_t vas,
                           int32_t vbs, int32_t vcs, int32_t strisces, int32_t vad,
                           int32_t vbd, int32_t vcd, int32_t strisced);
