// The track feature encoders: each lays one source row into the cells of
// `percorso`. A conflict is reported as a finding (setting codice_errore)
// and the encoder returns; no encoder sets `posizione_errore` (the reader
// does, when it sees the code).
//
// Cell occupancy is the only test the layout rules ask for; on top of it
// every encoder refuses, with status 25 and nothing written, a row that
// would address a cell outside the track (or a 81st mountain), so no input
// can reach outside `percorso` or the mountain tables.
#pragma once

#include "reader/rows.h"

struct scenario_state;

// A mountain stretch over the cells round(inizio/50) .. round(fine/50 - 1).
// `tipo` above 10 is the type `tipo` - 10 with markers (code 11 on every
// fourth empty cell). A stretch starting 150 m or less after the previous
// one's end takes type 3.
void memo_montagna(scenario_state& st, const riga_montagna& r);

// The boards of a slowdown from `x`, `l` metres long: end (2), start (3),
// warning 1200 m before (4, only when x > 1500) and, when `f_ta` is set, four
// approach marks (5). Codes 17, 18, 19 leave the track unchanged; code 20
// leaves the three boards without approach marks.
void memo_rallentamento(scenario_state& st, const riga_rallentamento& r);

// A signal (1) at round(posizione/50 + 1) and its approach marks in the four
// cells 2, 4, 6 and 8 before it. Code 16 when the cell is taken.
void memo_segnale(scenario_state& st, const riga_segnale& r);

// Speed-limit boards (6) at round(posizione/50 + 1). Code 21 when the cell is
// taken; a speed pair whose rounded value does not fit 16 bits ends with 25,
// the cell already marked 6.
void memo_indicatori_v_max(scenario_state& st, const riga_indicatori& r);
