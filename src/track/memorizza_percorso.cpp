#include "track/memorizza_percorso.h"

#include <string>

#include "track/binary_files.h"
#include "track/completa_percorso.h"
#include "track/race_codes.h"
#include "reader/memorizza_dati.h"
#include "run/errore.h"
#include "scenario/naming.h"
#include "run/platform.h"
#include "scenario/scenario_state.h"

namespace {

constexpr int16_t timbro_linea = 610;
constexpr int16_t timbro_cella = 5121;

}  // namespace

Status memorizza_percorso(scenario_state& st, const platform& p, int32_t j) {
  st.salva_linea = j;
  st.codice_errore = 0;
  for (elemento& e : st.elementi) e = elemento{};

  memorizza_dati(st);
  if (!st.percorso_creato()) {
    // Without a route length there is no track to finish or write.
    return Status::Failure("cannot build the track from",
                           file_path(st, file_kind::line_source),
                           "no route length was read (reader status " +
                               std::to_string(st.codice_errore) + ")");
  }

  completa_percorso(st);

  elemento& intestazione = st.elementi[slot::linea];
  cella& prima = st.percorso.size() > 1 ? st.percorso[1] : st.percorso[0];
  if (intestazione.valore_1 != 0 || prima.dato_a != 0) {
    errore(st, p, "1250");
    return Status::Failure("build stopped by", "errore", "1250");
  }
  intestazione.valore_1 = timbro_linea;
  prima.dato_a = timbro_cella;
  if (intestazione.orario != 0 || prima.dato_b != 0) {
    errore(st, p, "1251");
    return Status::Failure("build stopped by", "errore", "1251");
  }
  intestazione.orario = codice_gara_st(st);
  prima.dato_b = codice_gara_og(st);

  return scrivi_file_binari(st);
}
