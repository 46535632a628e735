#include "format/compare.h"

#include <algorithm>
#include <bit>

bool stesso_punto(const tracciato_t& a, const tracciato_t& b, int32_t m) {
  for (int componente : {0, 1}) {
    const size_t ia = a.indice(m, componente);
    const size_t ib = b.indice(m, componente);
    if (a.tipo[ia] != b.tipo[ib]) return false;
    if (a.tipo[ia] != tracciato_t::vuoto &&
        std::bit_cast<uint64_t>(a.valore[ia]) != std::bit_cast<uint64_t>(b.valore[ib])) {
      return false;
    }
  }
  return true;
}

std::vector<tratto_diverso> tratti_diversi(const tracciato_t& a, const tracciato_t& b) {
  std::vector<tratto_diverso> out;
  const int32_t comune = std::min(a.ultimo, b.ultimo);
  const int32_t fine = std::max(a.ultimo, b.ultimo);
  for (int32_t m = 0; m <= fine; ++m) {
    if (m <= comune && stesso_punto(a, b, m)) continue;
    if (!out.empty() && out.back().a == m - 1 && m != comune + 1) {
      out.back().a = m;
    } else {
      out.push_back({m, m});
    }
  }
  return out;
}
