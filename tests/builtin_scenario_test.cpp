// The built-in scenario, built from the documents the program writes.
#include <gtest/gtest.h>

#include <string>

#include "track/memorizza_percorso.h"
#include "documents/documents.h"
#include "run/source_files.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"

namespace {

TEST(BuiltinScenario, BuildsWithStatusZero) {
  temp_folder dir;
  scenario_state st;
  st.cartella = dir.path();
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  for (auto writer :
       {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    ASSERT_TRUE(writer(st).ok());
  }
  ASSERT_EQ(memorizza_percorso_in_cartella(st, 1).tipo, esito::fatto);
  EXPECT_EQ(st.codice_errore, 0) << "at " << st.posizione_errore << " m";
  EXPECT_EQ(st.numero_celle, 6820);
  EXPECT_EQ(st.lunghezza_tracciato, 341000);

  // The build added no code point of its own: the scenario has no slowdown.
  for (const cella& c : st.percorso) {
    if (c.codice == codice_cella::abbattimento) {
      EXPECT_EQ(c.dato_a, 270);
    }
  }
  EXPECT_EQ(st.elementi[slot::linea].nome, "Vardelia");
  EXPECT_EQ(st.elementi[slot::treno].nome, "Corvessa");
  EXPECT_EQ(st.elementi[slot::linea].valore_1, 610);
  EXPECT_EQ(st.percorso[1].dato_a, 5121);
}

}  // namespace
