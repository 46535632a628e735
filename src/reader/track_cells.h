// Turning positions into track cells. A position becomes a cell index by a
// real quotient rounded to the nearest whole number, an exact half to the
// even one; each feature states its own quotient.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/rounding.h"
#include "scenario/scenario_state.h"

// The rounded quotient. Quotients come from 32-bit positions, so they are
// far inside int64; anything else maps to an index no track has.
inline int64_t indice_cella(double q) {
  double r = arrotonda(q);
  if (!(std::fabs(r) < 1e15)) return INT64_MIN;
  return static_cast<int64_t>(r);
}

// The cell at index k, or nullptr when k lies outside the track.
inline cella* cella_in(scenario_state& st, int64_t k) {
  if (k < 0 || static_cast<uint64_t>(k) >= st.percorso.size()) return nullptr;
  return &st.percorso[static_cast<size_t>(k)];
}

// Stored arithmetic that keeps only the low bits of its result.
inline int16_t basso_16(int64_t v) {
  return static_cast<int16_t>(static_cast<uint16_t>(v));
}
inline uint8_t basso_8(int64_t v) { return static_cast<uint8_t>(v); }
