#include "format/slot_meaning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/source_fixture.h"
#include "track/memorizza_percorso.h"
#include "track/race_codes.h"

namespace {

TEST(SlotMeaning, EachSlotByItsRoleWithTheValuesOfItsRows) {
  sorgenti s;
  s.linea({"[generale]", "lunghezza percorso, 10000",
           "progressiva chilometrica uno, 0, 3050, 0",
           "progressiva chilometrica due, 5000, 9000, 1", "sfondo uno, 4",
           "sfondo due, 5", "sfondo tre, 6", "ripetizione segnali 9 codici, 8000, 9500",
           "[curve]", "cartello indicatore, 2500, Km 5", "[fine]"});
  s.treno({"[generale]", "numero vetture, 15", "percentuale massa frenata, 125",
           "sabbia, 110", "orologio, 19, 59, 55", "[stazioni]",
           // The fields come in the order tipo, L, opzione_1, opzione_5,
           // opzione_4, valore_1, valore_2, opzione_2, valore_3..5,
           // opzione_3, hours, minutes, seconds, name.
           "stazione, 1000, 12, 400, 7, 0, 0, 11,12,13, 14,15,16, 17, 8, 30, 5, Alfa",
           "[fine]"});
  ASSERT_EQ(costruisci_scenario(s.st, s.da_leggere(), 0).tipo, esito::fatto);
  const auto& el = s.st.elementi;
  scenario_state nomi;
  nomi.elementi = el;

  struct caso {
    size_t slot;
    ruolo_slot ruolo;
    std::string voci;
  } casi[] = {
      {0, ruolo_slot::vuoto, ""},
      {1, ruolo_slot::stazione,
       "kind=12 position_m=1000 area_start_m=800 area_end_m=1200 opzione_1=7 "
       "opzione_2=13 "
       "opzione_3=17 opzione_4=0 opzione_5=0 valore_1=11 valore_2=12 valore_3=14 "
       "valore_4=15 valore_5=16 time_s=30605"},
      {2, ruolo_slot::vuoto, ""},
      {80, ruolo_slot::cartello, ""},
      // Sorted by start, descending, into 81..83; the falling entry's
      // offset is shown without the 100 m the build added.
      {81, ruolo_slot::progressiva, "start_m=5000 offset_m=9000 direction=1"},
      {82, ruolo_slot::progressiva, "start_m=0 offset_m=3050 direction=0"},
      {83, ruolo_slot::progressiva, ""},
      {84, ruolo_slot::dimensioni,
       "braked_mass_percent=125 route_length_m=10000 cars=15"},
      {85, ruolo_slot::linea,
       "background_1=4 background_2=5 background_3=6 check_value=610 race_code=" +
           std::to_string(codice_gara_st(nomi))},
      {86, ruolo_slot::treno,
       "repetition_start_m=8000 repetition_end_m=9500 repetition_codes=9 sand=110 "
       "clock_h=19 clock_m=59 clock_s=55"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(ruolo_di(c.slot, el[c.slot]), c.ruolo) << "slot " << c.slot;
    EXPECT_EQ(testo_voci(voci_slot(c.slot, el[c.slot])), c.voci) << "slot " << c.slot;
  }
  EXPECT_EQ(el[81].fine, 9100) << "what the file holds";
  EXPECT_EQ(el[80].nome, "Km 5");
  EXPECT_EQ(el[85].nome, "Vardelia");
}

TEST(SlotMeaning, NumbersTheRoleDoesNotUseAreShownByName) {
  elemento dimensioni{};
  dimensioni.inizio = 125;
  dimensioni.opzione_2 = 3;
  dimensioni.orario = -1;
  EXPECT_EQ(testo_voci(voci_slot(slot::dimensioni, dimensioni)),
            "braked_mass_percent=125 route_length_m=0 cars=0 opzione_2=3 orario=-1");

  elemento vuoto{};
  vuoto.valore_5 = 9;  // slot 0 is never used
  EXPECT_EQ(ruolo_di(0, vuoto), ruolo_slot::vuoto);
  EXPECT_EQ(testo_voci(voci_slot(0, vuoto)), "valore_5=9");

  elemento progressiva{};
  progressiva.opzione_1 = 2;  // a number, but the entry's own three are not set
  EXPECT_EQ(testo_voci(voci_slot(slot::progressiva_uno, progressiva)), "opzione_1=2");
}

}  // namespace
