#include "reader/memorizza_dati.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "reader/field_reader.h"
#include "reader/reading.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

// Where the failure exit left a document with rows still unread, says so
// once, after the last field read: the failing one, or the field or row
// read after it (a short row's last field, the row whose reading laid a
// value that did not fit).
void segnala_righe_non_lette(scenario_state& st, const sorgenti_lettura& s,
                             const reperto& r) {
  const luogo& l = r.dove;
  if (st.reperti == nullptr || st.recupero || !l.esiste()) return;
  const std::string_view testo =
      l.doc == documento::linea ? s.linea.testo : s.treno.testo;
  size_t fine = size_t{l.inizio} + l.lunghezza;
  for (const luogo& dopo : {r.origine, st.riga_in_lettura}) {
    if (dopo.doc == l.doc) fine = std::max(fine, size_t{dopo.inizio} + dopo.lunghezza);
  }
  const size_t riga_dopo = testo.find('\n', fine);
  if (riga_dopo == std::string_view::npos ||
      testo.find_first_not_of(" \t\r\n,", riga_dopo) == std::string_view::npos) {
    return;  // nothing after this line
  }
  segnala(st, nuovo_reperto(reperto_id::lettura_interrotta,
                            {l.doc, static_cast<uint32_t>(fine), 0}));
}

// The failure exit: both source documents done with (the one-shot program
// deletes them where they still exist), the finding reported, status 25.
void uscita_di_errore(scenario_state& st, const sorgenti_lettura& s, reperto r,
                      bool segnalato) noexcept {
  try {
    if (s.consumato) {
      s.consumato(documento::linea);
      s.consumato(documento::treno);
    }
  } catch (...) {
    // Nothing more can be done; the status still says it all.
  }
  try {
    if (!segnalato) {
      if (!r.riga.esiste()) r.riga = st.riga_in_lettura;
      // The document ended inside a row: the row is the place to look.
      if (r.id == reperto_id::fine_documento && r.riga.esiste()) r.dove = r.riga;
      segnala(st, r);
      segnala_righe_non_lette(st, s, r);
    }
  } catch (...) {
    // Out of memory while keeping the finding: the status below remains.
  }
  st.codice_errore = descrivi(reperto_id::fine_documento).codice;
}

}  // namespace

void memorizza_dati(scenario_state& st, const sorgenti_lettura& sorgenti) {
  try {
    st.elementi[slot::linea].nome = st.linea;
    st.elementi[slot::treno].nome = st.treno;
    // The track belongs to this reading: there is none until its route
    // length is read.
    st.percorso.clear();
    st.tracciato.elimina();
    st.numero_celle = 0;
    st.lunghezza_tracciato = 0;
    st.riga_in_lettura = {};
    st.campo_posizione = {};
    azzera_provenienza(st, 0);

    consegna_linea consegna;
    if (!leggi_linea(st, sorgenti, consegna)) return;
    leggi_treno(st, sorgenti, consegna);
  } catch (const reading_failure& f) {
    uscita_di_errore(st, sorgenti, f.r, f.segnalato);
  } catch (const std::bad_alloc&) {
    uscita_di_errore(st, sorgenti, nuovo_reperto(reperto_id::memoria_esaurita), false);
  } catch (...) {
    // Nothing leaves the reader.
    uscita_di_errore(st, sorgenti, nuovo_reperto(reperto_id::memoria_esaurita), false);
  }
}
