// The plan polyline as the reader lays it: not its points but the stretches
// (`tratti`) they were laid in. Every point after the first two steps on
// from the two before it, straight or turning by the curvature of its
// stretch, so the stretches and the start give every point again, in
// order, each time they are walked. A 1,000,000 m route takes a few
// thousand stretches where its points take 16 MB; the line plan file is
// computed from them while it is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/records.h"

// Metres laid with one curvature, up to (not including) metre `fine`, from
// where the stretch before it ended (metre 2 for the first one).
struct tratto_tracciato {
  int32_t fine = 0;
  double curvatura = 0;  // per metre; 0 on a straight stretch
};

struct tracciato_a_tratti {
  int32_t ultimo = -1;  // last metre index; -1 while there is no polyline
  // Metres 0..posati-1 hold a point, the rest are empty. Metres 0 and 1, the
  // start, hold the integers (0, 0) and (0, 1); then come the stretches.
  int32_t posati = 0;
  std::vector<tratto_tracciato> tratti;  // in metre order, ending at `posati`

  bool esiste() const { return ultimo >= 0; }

  // Creates the polyline afresh for metres 0..ultimo, every point empty.
  void crea(int32_t nuovo_ultimo);
  void elimina();

  // Lays the start: the line begins at (0, 0) heading along +y.
  void inizia();

  // Lays the metres from `posati` up to `fine` - 1 with `curvatura`; a
  // stretch with the same curvature as the last one lengthens it.
  void posa(int32_t fine, double curvatura);
};

// Walks the laid points from metre 2 on, in metre order.
struct cammino_tracciato {
  const tracciato_a_tratti* tracciato;
  int32_t metro = 2;           // the next point
  size_t tratto_corrente = 0;  // the stretch that holds it
  // The two points before it.
  double x0 = 0, y0 = 0, x1 = 0, y1 = 1;
};

// Puts the next points of the walk in x[0..n) and y[0..n); returns how many
// (fewer than n only at the end of the laid points, 0 after it).
size_t prossimi_punti(cammino_tracciato& c, double* x, double* y, size_t n);

// Every element of the polyline, as the line plan file holds it.
tracciato_t punti_del_tracciato(const tracciato_a_tratti& t);
