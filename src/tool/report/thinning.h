// Thinning a polyline to what a drawing can show. The points kept are those
// the Douglas-Peucker rule keeps: the first and the last, then, between two
// kept points, the one farthest from the segment that joins them while it
// lies farther than the tolerance. Every point left out then lies within the
// tolerance of the kept segment that spans it.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// The square of the distance from p to the segment a-b.
template <class P>
double distanza2_dal_segmento(const P& p, const P& a, const P& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double l2 = dx * dx + dy * dy;
  double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  const double ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
  return ex * ex + ey * ey;
}

// A span of more points than this is split in its middle when its farthest
// point lies in an outer quarter of it. A path that goes round one small
// circle again and again has its farthest point in the first turn of every
// span, and splitting there took time in the square of the points (a
// million-point route: 477 million points looked at, 14 million now).
// Splitting more never breaks the tolerance.
constexpr int32_t punti_campata_lunga = 64;

// The indices of the points kept among primo..ultimo, ascending. `punto(i)`
// gives point i in the drawing's units (it needs members x and y), and the
// tolerance is in the same units. Nothing is copied: a million-point
// polyline costs only the list of what is kept and a small stack.
template <class F>
std::vector<int32_t> dirada(int32_t primo, int32_t ultimo, double tolleranza, F punto) {
  std::vector<int32_t> tenuti;
  if (ultimo < primo) return tenuti;
  tenuti.push_back(primo);
  if (ultimo == primo) return tenuti;
  // Spans still to look at, the leftmost on top, so points come out in order.
  std::vector<std::pair<int32_t, int32_t>> pila = {{primo, ultimo}};
  while (!pila.empty()) {
    const auto [a, b] = pila.back();
    pila.pop_back();
    const auto pa = punto(a), pb = punto(b);
    double massima = -1;
    int32_t lontano = -1;
    for (int32_t i = a + 1; i < b; ++i) {
      const double d = distanza2_dal_segmento(punto(i), pa, pb);
      if (d > massima) {
        massima = d;
        lontano = i;
      }
    }
    if (lontano >= 0 && massima > tolleranza * tolleranza) {
      const int32_t quarto = (b - a) / 4;
      if (b - a > punti_campata_lunga && (lontano - a < quarto || b - lontano < quarto))
        lontano = a + (b - a) / 2;
      pila.push_back({lontano, b});
      pila.push_back({a, lontano});
    } else {
      tenuti.push_back(b);
    }
  }
  return tenuti;
}
