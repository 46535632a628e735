// Positions become cell indices through a real quotient rounded to the
// nearest whole number, an exact half going to the even neighbour.
#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

// Rounds half to even (the default floating-point rounding mode).
inline double arrotonda(double q) { return std::nearbyint(q); }

// Rounds half to even into a signed integer type; nullopt when the result
// does not fit (the reader turns that into a failure).
template <typename Int>
std::optional<Int> arrotonda_a(double q) {
  double r = std::nearbyint(q);
  if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        r <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    return std::nullopt;  // also catches NaN
  }
  return static_cast<Int>(r);
}
