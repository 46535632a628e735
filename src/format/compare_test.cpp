#include "format/compare.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A polyline of `n` metres whose every point is the integer (m, m).
tracciato_t retta(int32_t n) {
  tracciato_t t;
  t.crea(n - 1);
  for (int32_t m = 0; m < n; ++m) {
    t.metti_intero(m, 0, static_cast<int16_t>(m));
    t.metti_intero(m, 1, static_cast<int16_t>(m));
  }
  return t;
}

TEST(Compare, StretchesOfPointsThatDiffer) {
  const tracciato_t base = retta(10);
  struct caso {
    const char* cosa;
    tracciato_t b;
    std::vector<tratto_diverso> tratti;
  };
  std::vector<caso> casi;
  casi.push_back({"equal", retta(10), {}});
  {
    tracciato_t b = retta(10);
    b.metti_reale(3, 0, 3.0);  // same value, another type
    b.metti_intero(4, 1, 0);
    b.metti_intero(8, 0, 0);
    casi.push_back({"type or value", b, {{3, 4}, {8, 8}}});
  }
  {
    tracciato_t a = retta(10), b = retta(10);
    a.metti_reale(2, 0, 0.0);
    b.metti_reale(2, 0, -0.0);  // equal as numbers, not as bytes
    EXPECT_EQ(tratti_diversi(a, b), (std::vector<tratto_diverso>{{2, 2}}))
        << "negative zero";
  }
  {
    tracciato_t b = retta(13);
    b.metti_intero(9, 0, 0);
    casi.push_back({"longer, last common point differs", b, {{9, 9}, {10, 12}}});
  }
  casi.push_back({"shorter", retta(7), {{7, 9}}});
  casi.push_back({"empty", tracciato_t{}, {{0, 9}}});
  for (const caso& c : casi) {
    EXPECT_EQ(tratti_diversi(base, c.b), c.tratti) << c.cosa;
  }
}

}  // namespace
