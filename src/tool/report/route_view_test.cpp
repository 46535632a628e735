// What the drawings show of a small route whose every value is known.
#include "tool/report/route_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tool/report/report_fixture.h"

namespace {

std::vector<const segno*> di_tipo(const vista_percorso& v, tipo_segno t) {
  std::vector<const segno*> out;
  for (const segno& s : v.segni) {
    if (s.tipo == t) out.push_back(&s);
  }
  return out;
}

struct passo {
  int64_t da, a;
  double valore;
  bool operator==(const passo&) const = default;
};
std::vector<passo> passi(const std::vector<tratto_costante>& tt) {
  std::vector<passo> out;
  for (const tratto_costante& t : tt) out.push_back({t.da, t.a, t.valore});
  return out;
}

TEST(RouteView, ProfilesOfASmallRoute) {
  percorso_piccolo p;
  ASSERT_EQ(p.esito.tipo, esito::fatto);
  ASSERT_TRUE(p.s.reperti.empty());
  const vista_percorso& v = p.v;
  // 17000 m of track, 340 cells; the fills reach cell 337.
  EXPECT_EQ(v.fine, 16900);
  EXPECT_EQ(v.lunghezza, 10000);

  // Level to 1000 m, +10 per mille to 3000 m, -5 per mille to the end.
  EXPECT_EQ(passi(v.pendenze),
            (std::vector<passo>{{0, 1000, 0}, {1000, 3000, 10}, {3000, 16900, -5}}));
  ASSERT_EQ(v.quota.size(), 4u);
  const double attese[][2] = {{0, 0}, {1000, 0}, {3000, 20}, {16900, 20 - 69.5}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(v.quota[i].metri, attese[i][0]);
    EXPECT_DOUBLE_EQ(v.quota[i].quota, attese[i][1]);
  }
  // Each row's speed from its cell on; the last runs to the end.
  EXPECT_EQ(passi(v.velocita),
            (std::vector<passo>{{0, 2000, 60}, {2000, 5000, 100}, {5000, 16900, 80}}));
  EXPECT_EQ(passi(v.aderenza), (std::vector<passo>{{0, 16900, 60}}));
  EXPECT_EQ(v.velocita[1].fonte.numero, 3u) << "the row that starts the step";
  EXPECT_EQ(v.pendenze[2].fonte.numero, 9u);

  // The slowdown from its start board (cell 111) to its end board (121).
  const auto rallentamenti = di_tipo(v, tipo_segno::rallentamento);
  ASSERT_EQ(rallentamenti.size(), 1u);
  EXPECT_EQ(rallentamenti[0]->da, 5550);
  EXPECT_EQ(rallentamenti[0]->a, 6050);
  EXPECT_EQ(rallentamenti[0]->valore, 30);
  EXPECT_EQ(passi(v.montagne), (std::vector<passo>{{4000, 4500, 2}}));
}

TEST(RouteView, EveryMarkAtItsCellWithItsRow) {
  percorso_piccolo p;
  const vista_percorso& v = p.v;
  struct atteso {
    tipo_segno tipo;
    int64_t metri;
    fonte_riga fonte;
  } attesi[] = {
      {tipo_segno::segnale, 3050, {documento::treno, riga_fixture::segnale}},
      {tipo_segno::indicatori, 2050, {documento::linea, 11}},
      {tipo_segno::cartello, 7050, {documento::linea, riga_fixture::cartello}},
      {tipo_segno::avviso, 4350, {documento::treno, riga_fixture::rallentamento}},
      {tipo_segno::fermata, 1100, {documento::treno, 6}},
      // A station with a stop point is traced by it; without one (kind 28),
      // by its row among the station rows.
      {tipo_segno::stazione, 850, {documento::treno, 6}},
      {tipo_segno::stazione, 7900, {documento::treno, riga_fixture::stazione_beta}},
      {tipo_segno::passaggio, 2000, {documento::linea, riga_fixture::progressiva}},
  };
  for (const atteso& a : attesi) {
    const auto segni = di_tipo(v, a.tipo);
    auto s = std::find_if(segni.begin(), segni.end(),
                          [&](const segno* g) { return g->da == a.metri; });
    ASSERT_NE(s, segni.end()) << "mark kind " << static_cast<int>(a.tipo) << " at "
                              << a.metri;
    EXPECT_EQ((*s)->fonte.doc, a.fonte.doc) << static_cast<int>(a.tipo);
    EXPECT_EQ((*s)->fonte.numero, a.fonte.numero) << static_cast<int>(a.tipo);
  }
  EXPECT_EQ(di_tipo(v, tipo_segno::cartello)[0]->etichetta, "<Km 11>");
  EXPECT_EQ(di_tipo(v, tipo_segno::stazione)[1]->etichetta, "Beta & co");
  EXPECT_EQ(v.montagne[0].fonte.numero, riga_fixture::montagna) << "found by its row";

  // The build's code points around the slowdown name its row.
  const auto codici = di_tipo(v, tipo_segno::abbattimento);
  ASSERT_FALSE(codici.empty());
  for (const segno* c : codici) {
    EXPECT_TRUE(c->aggiunto);
    EXPECT_EQ(c->fonte.numero, riga_fixture::rallentamento);
    EXPECT_EQ(c->valore, 180);
  }

  // A post at every whole kilometre of the progressive: km 7 at 2000 m on.
  const auto cippi = di_tipo(v, tipo_segno::cippo);
  ASSERT_EQ(cippi.size(), 15u);
  EXPECT_EQ(cippi.front()->da, 2000);
  EXPECT_EQ(cippi.front()->etichetta, "7");
  EXPECT_EQ(cippi.back()->da, 16000);
  EXPECT_EQ(cippi.back()->etichetta, "21");
}

TEST(RouteView, TooltipsNameTheRowByFileOrShort) {
  percorso_piccolo p;
  const segno& s = *di_tipo(p.v, tipo_segno::abbattimento)[0];
  EXPECT_EQ(suggerimento(p.v, "Code point", s.fonte, s.aggiunto, false),
            "Code point\nadded by the build for L_T-.txt:9");
  EXPECT_EQ(suggerimento(p.v, "Code point", s.fonte, s.aggiunto, true),
            "Code point\nadded by the build for T:9");
  const segno& m = *di_tipo(p.v, tipo_segno::segnale)[0];
  // The values named as the reference names the row's fields.
  EXPECT_EQ(m.suggerimento,
            "Signal \u2014 3050 m, km 8.050\nsx=2 s1=4 s2=1 s3=1 rapp=0 dx=2 d1=2 d2=1 "
            "d3=1 tempo=0");
  EXPECT_EQ(suggerimento(p.v, "Signal", {documento::linea, 3}, false, false),
            "Signal\nL_linea.txt:3")
      << "the file's own name, without its folder";
  EXPECT_EQ(suggerimento(p.v, "x", {}, false, true), "x") << "no row known";
}

// A mountain's type as the reference tells it: from 11 up, the type minus
// 10 with markers; a stretch close behind another gets type 3.
TEST(RouteView, MountainTypesSayWhetherTheyHaveMarkers) {
  sorgenti s;
  s.scenario(
      {"montagna, 1000, 2000, 12", "montagna, 2100, 2500, 2", "montagna, 4000, 4500, 2"});
  costruisci_scenario(s.st, s.da_leggere(), 1);
  const vista_percorso v = crea_vista(
      s.st, s.reperti, {{"L_linea.txt", *s.testo_linea}, {"T", *s.testo_treno}});
  ASSERT_EQ(v.montagne.size(), 3u);
  EXPECT_EQ(
      v.montagne[0].suggerimento.substr(0, v.montagne[0].suggerimento.find(", from")),
      "Mountain (tunnel), type 2, with markers (tipo 12)");
  EXPECT_EQ(
      v.montagne[1].suggerimento.substr(0, v.montagne[1].suggerimento.find(", from")),
      "Mountain (tunnel), type 3, 150 m or less after the previous stretch (tipo 2)");
  EXPECT_EQ(
      v.montagne[2].suggerimento.substr(0, v.montagne[2].suggerimento.find(", from")),
      "Mountain (tunnel), type 2 (tipo 2)");
}

// A reading that stops in the line body leaves the rest of the gradients
// unset (a byte of 0, -100 per mille): the elevation ends there instead of
// plunging. The finding is marked at its place.
TEST(RouteView, ElevationEndsWhereTheGradientsWereNotFilled) {
  sorgenti s;
  s.scenario({"pendenza, 0, 2", "pendenza, 1000, 3",
              "indicatori_vmax, 3000, 90, 95, 100, 0, , , , 0",
              "cartello_indicatore, 3000, (X)"});
  costruisci_scenario(s.st, s.da_leggere(), 1);
  const vista_percorso v = crea_vista(
      s.st, s.reperti, {{"L_linea.txt", *s.testo_linea}, {"T", *s.testo_treno}});
  // The first row's gradient reached cell 19; the second's was never laid.
  EXPECT_EQ(passi(v.pendenze), (std::vector<passo>{{0, 1000, 2}}));
  EXPECT_EQ(v.quota.back().metri, 1000);
  EXPECT_DOUBLE_EQ(v.quota.back().quota, 2.0);
  const auto reperti = di_tipo(v, tipo_segno::reperto);
  ASSERT_EQ(reperti.size(), 1u);
  EXPECT_EQ(reperti[0]->da, 3000);
  EXPECT_EQ(reperti[0]->livello, severity::error);
  EXPECT_EQ(reperti[0]->fonte.numero, 7u);
}

}  // namespace
