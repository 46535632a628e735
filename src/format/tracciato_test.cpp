#include "format/tracciato.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Straight, turning both ways, straight again: metres 0..5000.
tracciato_a_tratti curvo() {
  tracciato_a_tratti t;
  t.crea(5000);
  t.inizia();
  t.posa(1000, 0);
  t.posa(1700, 0.003);
  t.posa(2500, -0.0004);
  t.posa(4999, 0);
  return t;
}

bool stessi_bit(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() &&
         std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(Tracciato, AWalkGivesTheSamePointsInBlocksOfAnySize) {
  const tracciato_a_tratti t = curvo();
  const size_t n = static_cast<size_t>(t.posati) - 2;
  std::vector<double> x1(n), y1(n);
  cammino_tracciato tutto{&t};
  ASSERT_EQ(prossimi_punti(tutto, x1.data(), y1.data(), n + 10), n);
  EXPECT_EQ(prossimi_punti(tutto, x1.data(), y1.data(), 1), 0u) << "the walk has ended";

  // Blocks that end inside stretches and on their ends.
  for (size_t blocco : {size_t{1}, size_t{3}, size_t{700}, size_t{998}}) {
    std::vector<double> x(n), y(n);
    cammino_tracciato c{&t};
    size_t dati = 0;
    while (const size_t k = prossimi_punti(c, x.data() + dati, y.data() + dati,
                                           std::min(blocco, n - dati + 1))) {
      dati += k;
    }
    EXPECT_EQ(dati, n) << blocco;
    EXPECT_TRUE(stessi_bit(x, x1)) << blocco;
    EXPECT_TRUE(stessi_bit(y, y1)) << blocco;
  }
}

TEST(Tracciato, StretchesOfOneCurvatureAreOneAndGiveTheSamePoints) {
  tracciato_a_tratti a;
  a.crea(100);
  a.inizia();
  a.posa(10, 0);
  a.posa(20, 0);
  a.posa(15, 0.002);  // behind the last point: nothing is laid
  a.posa(30, 0.002);
  a.posa(40, 0.002);
  a.posa(50, -0.002);
  ASSERT_EQ(a.tratti.size(), 3u);
  EXPECT_EQ(a.tratti[0].fine, 20);
  EXPECT_EQ(a.tratti[1].fine, 40);
  EXPECT_EQ(a.tratti[1].curvatura, 0.002);
  EXPECT_EQ(a.posati, 50);

  tracciato_a_tratti b = a;
  b.tratti = {{10, 0}, {20, 0}, {30, 0.002}, {40, 0.002}, {50, -0.002}};
  const tracciato_t pa = punti_del_tracciato(a), pb = punti_del_tracciato(b);
  EXPECT_EQ(pa.tipo, pb.tipo);
  EXPECT_TRUE(stessi_bit(pa.valore, pb.valore));
}

TEST(Tracciato, PointsHoldTheStartTheLaidMetresAndEmptyOnes) {
  tracciato_a_tratti t = curvo();
  tracciato_t p = punti_del_tracciato(t);
  ASSERT_EQ(p.ultimo, 5000);
  for (int k : {0, 1}) {
    EXPECT_EQ(p.tipo[p.indice(0, k)], tracciato_t::intero);
    EXPECT_EQ(p.tipo[p.indice(1, k)], tracciato_t::intero);
    EXPECT_EQ(p.tipo[p.indice(2, k)], tracciato_t::reale);
    EXPECT_EQ(p.tipo[p.indice(4998, k)], tracciato_t::reale);
    EXPECT_EQ(p.tipo[p.indice(4999, k)], tracciato_t::vuoto);
  }
  EXPECT_EQ(p.valore[p.indice(1, 1)], 1.0);
  EXPECT_EQ(p.valore[p.indice(999, 1)], 999.0) << "straight along +y";
  EXPECT_EQ(p.valore[p.indice(1000, 0)], 0.003) << "the first step of the curve";

  // Created, but the reading ended before the start was laid.
  t.crea(10);
  p = punti_del_tracciato(t);
  EXPECT_EQ(p.tipo, std::vector<uint8_t>(22, tracciato_t::vuoto));

  t.elimina();
  EXPECT_FALSE(punti_del_tracciato(t).esiste());
}

}  // namespace
