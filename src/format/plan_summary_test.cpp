#include "format/plan_summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(PlanSummary, CountsTypesAndMeasuresThePointsThatHaveBothValues) {
  tracciato_t t;
  t.crea(5);
  t.metti_intero(0, 0, 0);
  t.metti_intero(0, 1, 0);
  t.metti_reale(1, 0, 3.0);
  t.metti_reale(1, 1, 4.0);  // 5 from the first
  t.metti_reale(2, 0, 9.0);  // y empty: not a point
  t.metti_reale(3, 0, std::numeric_limits<double>::quiet_NaN());
  t.metti_reale(3, 1, 1.0);  // not finite: not a point
  t.metti_reale(4, 0, -3.0);
  t.metti_reale(4, 1, 4.0);  // 6 from the one before
  const riassunto_tracciato r = riassumi(t);
  EXPECT_EQ(r.ultimo, 5);
  EXPECT_EQ(r.interi, 2u);
  EXPECT_EQ(r.reali, 7u);
  EXPECT_EQ(r.vuoti, 3u);
  EXPECT_EQ(r.pieni, 3u);
  ASSERT_TRUE(r.primo && r.ultimo_pieno);
  EXPECT_EQ(r.primo->metro, 0);
  EXPECT_EQ(r.ultimo_pieno->metro, 4);
  EXPECT_EQ(r.ultimo_pieno->x, -3.0);
  EXPECT_EQ(r.x_min, -3.0);
  EXPECT_EQ(r.x_max, 3.0);
  EXPECT_EQ(r.y_min, 0.0);
  EXPECT_EQ(r.y_max, 4.0);
  EXPECT_DOUBLE_EQ(r.lunghezza, 11.0);

  const riassunto_tracciato vuoto = riassumi(tracciato_t{});
  EXPECT_EQ(vuoto.ultimo, -1);
  EXPECT_EQ(vuoto.pieni, 0u);
  EXPECT_FALSE(vuoto.primo);
}

}  // namespace
