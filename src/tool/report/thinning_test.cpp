// Douglas-Peucker thinning: every point left out lies within the tolerance
// of the kept segment that spans it, and only what is needed is kept.
#include "tool/report/thinning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

struct p2 {
  double x, y;
};

// The largest distance of a left-out point from the kept segment spanning it.
double errore_massimo(const std::vector<int32_t>& tenuti,
                      const std::function<p2(int32_t)>& f) {
  double massimo = 0;
  for (size_t k = 0; k + 1 < tenuti.size(); ++k) {
    for (int32_t i = tenuti[k] + 1; i < tenuti[k + 1]; ++i) {
      massimo = std::max(massimo, std::sqrt(distanza2_dal_segmento(f(i), f(tenuti[k]),
                                                                   f(tenuti[k + 1]))));
    }
  }
  return massimo;
}

TEST(Thinning, KeepsWhatTheToleranceNeedsAndNoMore) {
  struct caso {
    const char* nome;
    int32_t ultimo;
    double tolleranza;
    std::function<p2(int32_t)> punto;
    size_t al_piu;  // points kept at most
    size_t almeno;  // and at least
  } casi[] = {
      {"straight", 999, 0.1,
       [](int32_t i) {
         return p2{0.5 * i, 2.0 * i};
       },
       2, 2},
      // A quarter circle of radius 1000: a chord of length c strays about
      // c^2 / 8000 from the arc, so 0.5 needs chords of at most 63, 25 of
      // them; halving the arc gives 32.
      {"arc", 9999, 0.5,
       [](int32_t i) {
         const double a = 1.5707963 * i / 9999;
         return p2{1000 * std::cos(a), 1000 * std::sin(a)};
       },
       33, 26},
      // A zigzag's corners stand 1 off its neighbours' line: most are kept.
      {"zigzag", 100, 0.9,
       [](int32_t i) {
         return p2{double(i), double(i % 2)};
       },
       101, 50},
      {"zigzag under a coarse tolerance", 100, 1.1,
       [](int32_t i) {
         return p2{double(i), double(i % 2)};
       },
       2, 2},
      {"one point", 0, 1,
       [](int32_t) {
         return p2{3, 4};
       },
       1, 1},
  };
  for (const caso& c : casi) {
    const std::vector<int32_t> t = dirada(0, c.ultimo, c.tolleranza, c.punto);
    ASSERT_FALSE(t.empty()) << c.nome;
    EXPECT_EQ(t.front(), 0) << c.nome;
    EXPECT_EQ(t.back(), c.ultimo) << c.nome;
    EXPECT_TRUE(std::is_sorted(t.begin(), t.end())) << c.nome;
    EXPECT_LE(t.size(), c.al_piu) << c.nome;
    EXPECT_GE(t.size(), c.almeno) << c.nome;
    EXPECT_LE(errore_massimo(t, c.punto), c.tolleranza) << c.nome;
  }
}

}  // namespace

// Round one small circle again and again, drifting a little at each turn
// (a tight curve held for a long way): every span's farthest point lies in
// its first turn. The work must stay near linear (splitting at the farthest
// point looked at 100 points a point here, and 5 times that for a million),
// and the tolerance hold.
TEST(Thinning, ManyTurnsOfOneCircleTakeLinearTime) {
  const int32_t ultimo = 200000;
  int64_t guardati = 0;
  const auto punto = [&](int32_t i) {
    ++guardati;
    const double a = i * 6.283185307179586 / 2094.4;
    return p2{1.5 * std::sin(a) + 1e-5 * i, 1.5 * (1 - std::cos(a))};
  };
  const std::vector<int32_t> t = dirada(0, ultimo, 0.2, punto);
  EXPECT_LE(guardati, int64_t{40} * ultimo);
  EXPECT_EQ(t.front(), 0);
  EXPECT_EQ(t.back(), ultimo);
  EXPECT_LE(errore_massimo(t, punto), 0.2);
}
