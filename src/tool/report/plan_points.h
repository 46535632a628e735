// The plan polyline as the drawings read it: one point per metre of route.
// Every read of the scenario state's polyline goes through these two
// functions, so a change of how it is held in memory stays here.
#pragma once

#include <cstdint>

#include "format/records.h"

struct punto_piano {
  double x = 0;
  double y = 0;
};

// The last metre with a point: the polyline is laid from metre 0 on, and a
// reading that stopped early leaves the rest empty. -1 when there is none.
inline int32_t ultimo_punto_piano(const tracciato_t& t) {
  int32_t m = t.ultimo;
  while (m >= 0 && (t.tipo[t.indice(m, 0)] == tracciato_t::vuoto ||
                    t.tipo[t.indice(m, 1)] == tracciato_t::vuoto)) {
    --m;
  }
  return m;
}

// The point at metre m, 0 <= m <= ultimo_punto_piano(t).
inline punto_piano punto_piano_a(const tracciato_t& t, int32_t m) {
  return {t.valore[t.indice(m, 0)], t.valore[t.indice(m, 1)]};
}
