#include "reader/memorizza_dati.h"

#include <cstdint>

#include "reader/codici.h"
#include "reader/reading.h"
#include "base/file_io.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"

namespace {

// The failure exit: both source documents deleted where they still exist,
// status 25.
void uscita_di_errore(scenario_state& st) noexcept {
  try {
    remove_file(file_path(st, file_kind::line_source));
    remove_file(file_path(st, file_kind::train_source));
  } catch (...) {
    // Not even the paths could be formed; the status still says it all.
  }
  st.codice_errore = codice::errore_lettura;
}

}  // namespace

void memorizza_dati(scenario_state& st) {
  try {
    st.elementi[slot::linea].nome = st.linea;
    st.elementi[slot::treno].nome = st.treno;
    // The track belongs to this reading: there is none until its route
    // length is read.
    st.percorso.clear();
    st.tracciato.elimina();
    st.numero_celle = 0;
    st.lunghezza_tracciato = 0;

    int32_t slot_cartello = slot::primo_cartello;
    if (leggi_linea(st, slot_cartello) == esito_linea::termina) return;
    leggi_treno(st, slot_cartello);
  } catch (...) {
    // reading_failure, std::bad_alloc or anything else: nothing leaves the reader.
    uscita_di_errore(st);
  }
}
