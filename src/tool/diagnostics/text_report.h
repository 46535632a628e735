// Findings as text, in the form compilers use so that editors can jump to
// them:
//
//   Vardelia_Corvessa-.txt:212:12: error: signal on a cell already taken ... [16]
//     212 | segnale,   42200,   2, 4, 0,  0, 0,    2,  1,0,0, 0
//         |            ^~~~~
//
// then a note for the row that first took the cell, where known, and one
// summary line at the end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tool/diagnostics/rendered.h"

struct opzioni_testo {
  bool colore = false;    // terminal colours and bold
  bool riepilogo = true;  // end with the summary line
};

// The most columns of a line a finding quotes: a longer line is cut around
// the caret, "…" standing for each part left out.
constexpr size_t larghezza_citazione = 200;

// One diagnostic: its place, severity, message and label, the quoted line
// with a caret under the span, then each note likewise.
std::string testo_diagnostica(const rendered_diagnostic& d, bool colore);

// Every diagnostic in the order given, then the summary line; "" when there
// are none.
std::string resa_testo(const std::vector<rendered_diagnostic>& diagnostiche,
                       const opzioni_testo& opzioni);

// "1 error generated.", "2 errors and 1 warning generated."; "" when there
// is neither.
std::string riepilogo(const conteggio_reperti& c);
