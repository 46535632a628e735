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
#include <functional>
#include <string>
#include <vector>

#include "scenario/findings.h"
#include "tool/diagnostics/selection.h"

struct scenario_state;

struct opzioni_testo {
  bool colore = false;     // terminal colours and bold
  regole_avvisi avvisi{};  // which warnings, and whether as errors
  bool riepilogo = true;   // end with the summary line
};

// The most columns of a line a finding quotes: a longer line is cut around
// the caret, "…" standing for each part left out.
constexpr size_t larghezza_citazione = 200;

// Every finding in the order given, each handed to `scrivi` as soon as it
// is rendered, then the summary line.
void scrivi_testo(const std::vector<reperto>& reperti,
                  const documenti_mostrati& documenti, const scenario_state& st,
                  const opzioni_testo& opzioni,
                  const std::function<void(const std::string&)>& scrivi);

// Every finding in the order given, then the summary line; "" when there
// are no findings. The state gives the line's kilometric progressive.
std::string resa_testo(const std::vector<reperto>& reperti,
                       const documenti_mostrati& documenti, const scenario_state& st,
                       const opzioni_testo& opzioni);

// "1 error generated.", "2 errors and 1 warning generated."; "" when there
// is neither.
std::string riepilogo(const conteggio_reperti& c);
