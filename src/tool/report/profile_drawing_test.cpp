// The profile's geometry: the elevation, the speed step line and the
// slowdown's limit where the route's values put them, and the marks at
// their metres.
#include "tool/report/profile_drawing.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tool/report/markup.h"
#include "tool/report/report_fixture.h"

namespace {

// The value of attribute `nome` of the first element with `chiave` in it.
std::string attributo(const std::string& svg, const std::string& chiave,
                      const std::string& nome) {
  const size_t inizio = svg.rfind('<', svg.find(chiave));
  const std::string elemento = svg.substr(inizio, svg.find('>', inizio) - inizio);
  std::smatch m;
  const std::regex r(" " + nome + "=\"([^\"]*)\"");
  return std::regex_search(elemento, m, r) ? m[1].str() : "";
}

struct vertice {
  char comando;
  double valore;
};
// A path's commands and numbers: "M0 10H5V2" -> M 0, _ 10, H 5, V 2.
std::vector<vertice> comandi(const std::string& d) {
  std::vector<vertice> out;
  const std::regex r("([MLHV]?)\\s*(-?[0-9.]+)");
  for (auto i = std::sregex_iterator(d.begin(), d.end(), r); i != std::sregex_iterator();
       ++i) {
    const std::string c = (*i)[1];
    out.push_back({c.empty() ? '_' : c[0], std::stod((*i)[2])});
  }
  return out;
}

TEST(ProfileDrawing, ElevationAndStepLinesWhereTheValuesPutThem) {
  percorso_piccolo p;
  const std::string svg = disegna_profilo(p.v, {"Profile", false});
  // x in metres under one transform: the route's 16900 m fill the plot.
  EXPECT_EQ(attributo(svg, "id=\"dati\"", "transform"),
            "matrix(" + numero(profilo::piano / 16900, 9) + " 0 0 1 118 0)");

  // The elevation's vertices at the gradients' changes, on one linear scale
  // with the higher up.
  const auto q = comandi(attributo(svg, "id=\"quota\"", "d"));
  ASSERT_EQ(q.size(), 8u);
  const double x[] = {0, 1000, 3000, 16900}, z[] = {0, 0, 20, -49.5};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(q[2 * i].valore, x[i]);
    EXPECT_EQ(q[2 * i].comando, i == 0 ? 'M' : 'L');
  }
  // y is written to 0.1: the scale is taken from the widest span.
  const double pendenza = (q[7].valore - q[1].valore) / (z[3] - z[0]);
  EXPECT_LT(pendenza, 0) << "up is up";
  EXPECT_EQ(q[3].valore, q[1].valore);
  EXPECT_NEAR(q[5].valore - q[1].valore, pendenza * (z[2] - z[0]), 0.1);
  for (size_t i = 1; i < 8; i += 2) {
    EXPECT_GE(q[i].valore, profilo::quota_alto);
    EXPECT_LE(q[i].valore, profilo::quota_alto + profilo::quota_altezza);
  }

  // The line speed: 60 to 2000 m, 100 to 5000 m, 80 to the end; 0 km/h at
  // the chart's foot.
  const auto v = comandi(attributo(svg, "id=\"velocita\"", "d"));
  ASSERT_EQ(v.size(), 7u);
  const profilo::scale_verticali sv = profilo::scale_di(p.v);
  const std::vector<std::pair<char, double>> attesi = {
      {'M', 0},    {'_', sv.y_velocita(60)}, {'H', 2000}, {'V', sv.y_velocita(100)},
      {'H', 5000}, {'V', sv.y_velocita(80)}, {'H', 16900}};
  for (size_t i = 0; i < attesi.size(); ++i) {
    EXPECT_EQ(v[i].comando, attesi[i].first) << i;
    EXPECT_NEAR(v[i].valore, attesi[i].second, 0.05) << i;
  }
  EXPECT_DOUBLE_EQ(sv.y_velocita(0), profilo::velocita_alto + profilo::velocita_altezza);
  EXPECT_NEAR(sv.y_velocita(60) - sv.y_velocita(100),
              (sv.y_velocita(0) - sv.y_velocita(100)) * 0.4, 1e-9);
  // The slowdown's 30 km/h over its boards.
  const auto r = comandi(attributo(svg, "id=\"rallentamenti\"", "d"));
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].valore, 5550);
  EXPECT_NEAR(r[1].valore, sv.y_velocita(30), 0.05);
  EXPECT_EQ(r[2].valore, 6050);

  // A mark at its metres, at the whole route's scale.
  const std::string segnale = "href=\"#p-sig\" x=\"";
  const size_t at = svg.find(segnale);
  ASSERT_NE(at, std::string::npos);
  EXPECT_NEAR(std::stod(svg.substr(at + segnale.size())),
              profilo::sinistra + 3050 * profilo::piano / 16900, 0.05);
  EXPECT_NE(svg.find("data-m=\"3050\""), std::string::npos);
}

}  // namespace
