#include "format/plan_summary.h"

#include <algorithm>
#include <cmath>

bool punto_pieno(const tracciato_t& t, int32_t metro) {
  for (int componente : {0, 1}) {
    const size_t i = t.indice(metro, componente);
    if (t.tipo[i] == tracciato_t::vuoto || !std::isfinite(t.valore[i])) return false;
  }
  return true;
}

riassunto_tracciato riassumi(const tracciato_t& t) {
  riassunto_tracciato r;
  r.ultimo = t.ultimo;
  for (uint8_t tipo : t.tipo) {
    if (tipo == tracciato_t::intero) {
      ++r.interi;
    } else if (tipo == tracciato_t::reale) {
      ++r.reali;
    } else {
      ++r.vuoti;
    }
  }
  for (int32_t m = 0; m <= t.ultimo; ++m) {
    if (!punto_pieno(t, m)) continue;
    const punto_tracciato p{m, t.valore[t.indice(m, 0)], t.valore[t.indice(m, 1)]};
    if (r.pieni == 0) {
      r.primo = p;
      r.x_min = r.x_max = p.x;
      r.y_min = r.y_max = p.y;
    } else {
      r.lunghezza += std::hypot(p.x - r.ultimo_pieno->x, p.y - r.ultimo_pieno->y);
      r.x_min = std::min(r.x_min, p.x);
      r.x_max = std::max(r.x_max, p.x);
      r.y_min = std::min(r.y_min, p.y);
      r.y_max = std::max(r.y_max, p.y);
    }
    r.ultimo_pieno = p;
    ++r.pieni;
  }
  return r;
}
