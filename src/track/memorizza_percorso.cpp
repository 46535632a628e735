#include "track/memorizza_percorso.h"

#include <string>

#include "scenario/reporting.h"
#include "scenario/scenario_state.h"
#include "track/binary_files.h"
#include "track/completa_percorso.h"
#include "track/race_codes.h"

namespace {

// A reserved place already taken: the build stops with error `numero`
// before any output. The finding names what stands in cell 1.
esito_build fermato(scenario_state& st, reperto_id id, int32_t numero) {
  reperto r;
  r.id = id;
  r.cella = 1;
  r.dove = origine_di(st, 1);
  r.valore = st.percorso[1].codice;
  segnala(st, r);
  return {esito::errore, numero, Status::success()};
}

}  // namespace

esito_build costruisci_scenario(scenario_state& st, const sorgenti_lettura& sorgenti,
                                int32_t j) {
  st.salva_linea = j;
  st.codice_errore = 0;
  for (elemento& e : st.elementi) e = elemento{};

  memorizza_dati(st, sorgenti);
  if (!st.percorso_creato()) {
    // Without a route length there is no track to finish or write.
    return {esito::guasto, 0,
            Status::failure("cannot build the track from", sorgenti.linea.nome,
                            "no route length was read (reader status " +
                                std::to_string(st.codice_errore) + ")")};
  }

  completa_percorso(st);

  // Cell 1 exists whenever there is a track: the shortest one has 140 cells.
  elemento& intestazione = st.elementi[slot::linea];
  cella& prima = st.percorso[1];
  if (intestazione.valore_1 != 0 || prima.dato_a != 0) {
    return fermato(st, reperto_id::errore_1250, 1250);
  }
  intestazione.valore_1 = timbro::linea;
  prima.dato_a = timbro::cella;
  if (intestazione.orario != 0 || prima.dato_b != 0) {
    return fermato(st, reperto_id::errore_1251, 1251);
  }
  intestazione.orario = codice_gara_st(st);
  prima.dato_b = codice_gara_og(st);
  return {};
}

esito_build memorizza_percorso(scenario_state& st, const sorgenti_lettura& sorgenti,
                               int32_t j) {
  esito_build e = costruisci_scenario(st, sorgenti, j);
  if (e.tipo != esito::fatto) return e;
  e.status = scrivi_file_binari(st);
  if (!e.status.ok()) e.tipo = esito::guasto;
  return e;
}
