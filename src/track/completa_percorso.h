// Finishing the track: code points (cells with codice 12, value 180) around
// every slowdown and before the signals that precede a slowdown warning
// board. A code point that finds no room is recorded in codice_errore (11,
// 12 or 13) with its position; the scan goes on.
#pragma once

#include <cstdint>

struct scenario_state;

// The smaller of two values: `y` when x > y, `x` otherwise.
inline int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

// Applies rule A at every warning board and rule B at every start board of
// cells 1..numero_celle-2, in ascending order.
void completa_percorso(scenario_state& st);
