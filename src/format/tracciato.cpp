#include "format/tracciato.h"

#include <algorithm>

void tracciato_a_tratti::crea(int32_t nuovo_ultimo) {
  ultimo = nuovo_ultimo;
  posati = 0;
  tratti.clear();
}

void tracciato_a_tratti::elimina() {
  ultimo = -1;
  posati = 0;
  tratti.clear();
  tratti.shrink_to_fit();
}

void tracciato_a_tratti::inizia() {
  posati = 2;
  tratti.clear();
}

void tracciato_a_tratti::posa(int32_t fine, double curvatura) {
  if (fine <= posati) return;
  if (!tratti.empty() && tratti.back().curvatura == curvatura) {
    tratti.back().fine = fine;
  } else {
    tratti.push_back({fine, curvatura});
  }
  posati = fine;
}

namespace {

// One stretch's points from the cursor up to metre `fine` - 1. The step
// keeps its length apart from the factor sqrt(1 + k^2) that a curved step
// adds. The expressions are those the points were always computed with:
// the line plan file holds their results to the last bit.
template <bool curva>
size_t posa_punti(cammino_tracciato& c, int32_t fine, double k, double* x, double* y) {
  double x0 = c.x0, y0 = c.y0, x1 = c.x1, y1 = c.y1;
  const size_t n = static_cast<size_t>(fine - c.metro);
  for (size_t i = 0; i < n; ++i) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double x2, y2;
    if constexpr (curva) {
      x2 = x1 + dx + k * dy;
      y2 = y1 + dy - k * dx;
    } else {
      x2 = x1 + dx;
      y2 = y1 + dy;
    }
    x[i] = x2;
    y[i] = y2;
    x0 = x1;
    y0 = y1;
    x1 = x2;
    y1 = y2;
  }
  c.x0 = x0;
  c.y0 = y0;
  c.x1 = x1;
  c.y1 = y1;
  c.metro = fine;
  return n;
}

}  // namespace

size_t prossimi_punti(cammino_tracciato& c, double* x, double* y, size_t n) {
  const std::vector<tratto_tracciato>& tratti = c.tracciato->tratti;
  size_t dati = 0;
  while (dati < n && c.tratto_corrente < tratti.size()) {
    const tratto_tracciato& t = tratti[c.tratto_corrente];
    const int32_t fine =
        static_cast<int32_t>(std::min<int64_t>(t.fine, c.metro + int64_t(n - dati)));
    dati += t.curvatura == 0 ? posa_punti<false>(c, fine, 0, x + dati, y + dati)
                             : posa_punti<true>(c, fine, t.curvatura, x + dati, y + dati);
    if (c.metro == t.fine) ++c.tratto_corrente;
  }
  return dati;
}

tracciato_t punti_del_tracciato(const tracciato_a_tratti& t) {
  tracciato_t punti;
  if (!t.esiste()) return punti;
  punti.crea(t.ultimo);
  if (t.posati < 2) return punti;
  punti.metti_intero(0, 0, 0);
  punti.metti_intero(0, 1, 0);
  punti.metti_intero(1, 0, 0);
  punti.metti_intero(1, 1, 1);
  cammino_tracciato c{&t};
  const size_t n = static_cast<size_t>(t.posati) - 2;
  double* x = punti.valore.data() + 2;
  double* y = x + punti.valore.size() / 2;
  prossimi_punti(c, x, y, n);
  std::fill_n(punti.tipo.begin() + 2, n, tracciato_t::reale);
  std::fill_n(punti.tipo.begin() + punti.tipo.size() / 2 + 2, n, tracciato_t::reale);
  return punti;
}
