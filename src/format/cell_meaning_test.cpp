#include "format/cell_meaning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/source_fixture.h"
#include "track/memorizza_percorso.h"
#include "track/race_codes.h"

namespace {

// Every kind of row the encoders lay into cells, with values that differ
// from each other, so a value read from the wrong place shows.
struct scenario_di_prova {
  sorgenti s;
  esito_build esito;

  scenario_di_prova() {
    s.scenario({"montagna, 6000, 7000, 12", "cartello indicatore, 2500, Km 5",
                "indicatori_v, 3000, 100, 90, 80, 1, 60, 50, 40, 2"},
               {"stazione, 1000, 12, 400, 0, 0, 0, 1,1,0, 4,1,1, 0, 8, 0, 0, Alfa",
                "rallentamento, 5000, 60, 1000, 3, 1, 10",
                "segnale, 4500, 2, 4, 1, 3, 1, 1, 2, 0, 5, 150",
                "segnale, 1500, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0",  // sx 2, dx 2
                "abbattimento, 8000, 270", "abbattimento, 9000, 0"});
    esito = costruisci_scenario(s.st, s.da_leggere(), 0);
  }
};

TEST(CellMeaning, GivesBackTheValuesOfTheRowsTheEncodersLaidDown) {
  scenario_di_prova p;
  ASSERT_EQ(p.esito.tipo, esito::fatto);
  ASSERT_EQ(p.s.reperti.size(), 0u);
  scenario_state nomi;
  nomi.elementi = p.s.st.elementi;
  struct caso {
    size_t cella;
    uint8_t codice;
    std::string voci;
  } casi[] = {
      {91, codice_cella::segnale,
       "sx=2 s1=4 s2=1 s3=3 rapp=1 dx=1 d1=2 d2=0 d3=5 tempo=150"},
      {77, codice_cella::avviso_rallentamento, "v=60 d_v=10"},
      {101, codice_cella::inizio_rallentamento, "v=60 d_v=10 f_tt=3"},
      {121, codice_cella::fine_rallentamento, "v=60 d_v=10 f_tt=3"},
      {76, codice_cella::preavviso_rallentamento, "numero=1 numero_d_v=1"},
      {73, codice_cella::preavviso_rallentamento, "numero=4 numero_d_v=4"},
      {61, codice_cella::indicatori_v_max,
       "vas=100 vbs=90 vcs=80 strisces=1 vad=60 vbd=50 vcd=40 strisced=2"},
      {23, codice_cella::fermata, "slot=1"},
      {51, codice_cella::cartello_indicatore, "slot=80"},
      {160, codice_cella::abbattimento, "valore=270"},
      {180, codice_cella::abbattimento_nullo, ""},
      {123, codice_cella::marcatore_montagna, ""},
      {1, codice_cella::nulla,
       "stamp=5121 race_code=" + std::to_string(codice_gara_og(nomi))},
      {2, codice_cella::nulla, ""},
  };
  for (const caso& c : casi) {
    const cella& k = p.s.st.percorso.at(c.cella);
    EXPECT_EQ(k.codice, c.codice) << "cell " << c.cella;
    EXPECT_EQ(testo_voci(dati_caratteristica(k, c.cella)), c.voci) << "cell " << c.cella;
  }
}

TEST(CellMeaning, TellsWhoseApproachMarkFromTheTrack) {
  scenario_di_prova p;
  ASSERT_EQ(p.esito.tipo, esito::fatto);
  const auto& t = p.s.st.percorso;
  // The station's stop is cell 23, its marks 19 to 22 (81..84). The signal
  // at cell 31 has sx 2 and dx 2, so its marks on 29, 27, 25 and 23 carry
  // the same numbers; the signal at cell 91 has sides 7.
  using di = preavviso_letto::di;
  struct caso {
    size_t cella;
    int numero;
    di chi;
    size_t di_cella;
  } casi[] = {
      {22, 1, di::fermata, 23}, {19, 4, di::fermata, 23}, {29, 1, di::segnale, 31},
      {23, 4, di::segnale, 31}, {89, 1, di::segnale, 91}, {83, 4, di::segnale, 91},
  };
  for (const caso& c : casi) {
    const auto m = leggi_preavviso(t, c.cella);
    ASSERT_TRUE(m) << "cell " << c.cella;
    EXPECT_EQ(m->numero, c.numero) << "cell " << c.cella;
    EXPECT_EQ(m->di_chi, c.chi) << "cell " << c.cella;
    EXPECT_EQ(m->cella, c.di_cella) << "cell " << c.cella;
  }
  const auto m = leggi_preavviso(t, 89);
  EXPECT_EQ(m->sx(), 2);
  EXPECT_EQ(m->dx(), 1);
  EXPECT_FALSE(leggi_preavviso(t, 90)) << "no mark";
}

TEST(CellMeaning, MarksWithoutTheirFeatureAndValuesNoMarkHas) {
  std::vector<cella> t(12);
  t[3].preavviso = 72;  // would be a signal's on cell 7, which is empty
  t[4].preavviso = 65;  // units 5: no mark
  const auto m = leggi_preavviso(t, 3);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->di_chi, preavviso_letto::di::ignoto);
  EXPECT_EQ(m->numero, 2);
  EXPECT_EQ(m->lati, 7);
  EXPECT_FALSE(leggi_preavviso(t, 4));
  t[11].preavviso = 14;  // points past the end of the track
  EXPECT_EQ(leggi_preavviso(t, 11)->di_chi, preavviso_letto::di::ignoto);
}

TEST(CellMeaning, FieldsTheFeatureDoesNotUseAreShownByName) {
  struct caso {
    cella c;
    size_t indice;
    std::string voci;
  } casi[] = {
      {{codice_cella::abbattimento, 270, 0, 7}, 5, "valore=270 dato_c=7"},
      {{9, 1, 2, 0, 0, 3}, 5, "dato_a=1 dato_b=2 tempo=3"},  // no feature has code 9
      {{codice_cella::abbattimento_nullo, 5121, 2599, 0, 4},
       1,
       "stamp=5121 race_code=2599 dato_d=4"},
      {{codice_cella::abbattimento, 180, -1}, 1, "stamp=180 race_code=-1"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(testo_voci(dati_caratteristica(c.c, c.indice)), c.voci) << c.voci;
  }
}

}  // namespace
