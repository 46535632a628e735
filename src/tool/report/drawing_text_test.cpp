// Round tick steps, and labels that give way: labels shown together at any
// scale never overlap.
#include "tool/report/drawing_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

TEST(DrawingText, RoundSteps) {
  const std::pair<double, int64_t> casi[] = {{0, 1},     {1, 1},       {1.01, 2},
                                             {3, 5},     {7, 10},      {70, 100},
                                             {101, 200}, {4999, 5000}, {12e3, 2e4}};
  for (const auto& [minimo, passo] : casi)
    EXPECT_EQ(passo_tondo(minimo), passo) << minimo;
  EXPECT_EQ(testo_km(120500, 1000), "120");
  EXPECT_EQ(testo_km(120500, 500), "120.5");
  EXPECT_EQ(testo_km(120250, 50), "120.25");
  EXPECT_EQ(testo_km(-2000, 1000), "-2");
}

TEST(DrawingText, LabelsShownTogetherNeverOverlap) {
  std::mt19937 caso(7);
  std::vector<etichetta_da_posare> etichette;
  for (int i = 0; i < 200; ++i) {
    etichette.push_back({static_cast<int64_t>(caso() % 100000),
                         std::string(1 + caso() % 12, 'x'),
                         static_cast<int32_t>(caso() % 5)});
  }
  const double px = 10, spazio = 4;
  const auto posate = posa_etichette(etichette, px, spazio);
  ASSERT_EQ(posate.size(), etichette.size());
  // The strongest label shows at every scale.
  EXPECT_EQ(posate.front().scala_minima, 0);
  for (double k : {0.001, 0.01, 0.05, 0.2, 1.0}) {
    size_t mostrate = 0;
    for (size_t i = 0; i < posate.size(); ++i) {
      if (posate[i].scala_minima > k) continue;
      ++mostrate;
      for (size_t j = 0; j < i; ++j) {
        if (posate[j].scala_minima > k) continue;
        const double distanza = std::llabs(posate[i].metri - posate[j].metri) * k;
        const double serve = (larghezza_testo(posate[i].testo, px) +
                              larghezza_testo(posate[j].testo, px)) /
                             2;
        EXPECT_GE(distanza, serve) << "scale " << k;
      }
    }
    EXPECT_GT(mostrate, 0u);
    if (k == 1.0) {
      EXPECT_GT(mostrate, 150u) << "close up nearly all show";
    }
  }
}

}  // namespace
