// The plan map's geometry: one scale for both axes, north up, and every
// point of the polyline within the stated error of the line as drawn.
#include "tool/report/plan_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tool/report/report_fixture.h"
#include "tool/report/thinning.h"

namespace {

struct punto_disegnato {
  int64_t metro;
  punto_piano p;
};

// The points of the drawn line (the route, then the run-off), from the
// paths' coordinates and the metres they list.
std::vector<punto_disegnato> linea_disegnata(const std::string& svg) {
  std::vector<punto_disegnato> out;
  const std::regex r("<path class=\"(linea|oltre)\" d=\"([^\"]*)\" data-m=\"([^\"]*)\"");
  for (auto i = std::sregex_iterator(svg.begin(), svg.end(), r);
       i != std::sregex_iterator(); ++i) {
    std::string d = (*i)[2];
    for (char& c : d) c = (c == 'M' || c == 'L') ? ' ' : c;
    std::istringstream xy(d), metri((*i)[3].str());
    punto_disegnato q;
    while (metri >> q.metro && xy >> q.p.x >> q.p.y) out.push_back(q);
  }
  return out;
}

TEST(PlanDrawing, OneScaleNorthUpWithinTheStatedError) {
  percorso_piccolo p;
  const tracciato_t t = punti_del_tracciato(p.s.st.tracciato);
  const disegno_pianta d = disegna_pianta(p.v, t, {"Plan", false});
  const int32_t ultimo = ultimo_punto_piano(t);
  EXPECT_EQ(d.punti, ultimo + 1);
  EXPECT_LT(d.punti_disegnati * 100, d.punti) << "thinned";

  const std::vector<punto_disegnato> linea = linea_disegnata(d.svg);
  ASSERT_GE(linea.size(), 4u);
  EXPECT_EQ(linea.front().metro, 0);
  EXPECT_EQ(linea.back().metro, ultimo);

  // North up and one scale: the straight start runs up the drawing, and the
  // ends lie apart by the plan's distances times one scale, y turned over.
  const proiezione pr = proietta(t, ultimo);
  const punto_piano a = punto_piano_a(t, 0), b = punto_piano_a(t, ultimo);
  const punto_disegnato& da = linea.front();
  const punto_disegnato& a_fine = linea.back();
  EXPECT_NEAR(a_fine.p.x - da.p.x, (b.x - a.x) * pr.scala, 0.1);
  EXPECT_NEAR(a_fine.p.y - da.p.y, -(b.y - a.y) * pr.scala, 0.1);
  EXPECT_GT(std::fabs(b.x - a.x), 100) << "the curves turn the line";
  const punto_piano zero = pr.su_disegno(a),
                    mille = pr.su_disegno(punto_piano_a(t, 1000));
  EXPECT_NEAR(mille.x, zero.x, 1e-9);
  EXPECT_NEAR(zero.y - mille.y, 1000 * pr.scala, 1e-9);
  // The map fits its box, its longer side filling it.
  EXPECT_LE(pr.larghezza, pianta::larghezza_massima + 1e-9);
  EXPECT_LE(pr.altezza, pianta::altezza_massima + 1e-9);
  EXPECT_TRUE(std::fabs(pr.larghezza - pianta::larghezza_massima) < 1e-6 ||
              std::fabs(pr.altezza - pianta::altezza_massima) < 1e-6);

  // Every metre of the polyline within the stated error of the drawn
  // segment that spans it.
  double massimo = 0;
  size_t k = 0;
  for (int32_t m = 0; m <= ultimo; ++m) {
    while (k + 2 < linea.size() && linea[k + 1].metro < m) ++k;
    const punto_piano q = pr.su_disegno(punto_piano_a(t, m));
    massimo = std::max(massimo,
                       std::sqrt(distanza2_dal_segmento(q, linea[k].p, linea[k + 1].p)));
  }
  EXPECT_LE(massimo, pianta::errore);
}

}  // namespace
