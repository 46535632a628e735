// What build, check and report share: the author's two documents read where
// they lie, into memory, and built there. Nothing is written and the
// documents are never changed.
#pragma once

#include <string>
#include <vector>

#include "base/file_io.h"
#include "scenario/findings.h"
#include "scenario/scenario_state.h"
#include "tool/diagnostics/selection.h"
#include "tool/platform/identifiers.h"
#include "tool/platform/output_check.h"
#include "tool/session/options.h"
#include "track/memorizza_percorso.h"

// One build in memory. The state points into this record (findings and
// provenance), so it is made in place and never moved.
struct costruzione_in_memoria {
  regole_avvisi regole;  // from -W
  identificativi id;
  scenario_state st;
  std::string testo_linea;
  std::string testo_treno;
  file_id file_linea;  // the files the documents were read from
  file_id file_treno;
  std::vector<reperto> reperti;  // in document order, the warnings switched off left out
  std::vector<provenienza_cella> provenienza;
  esito_build esito;

  costruzione_in_memoria() = default;
  costruzione_in_memoria(const costruzione_in_memoria&) = delete;
  costruzione_in_memoria& operator=(const costruzione_in_memoria&) = delete;

  documenti_mostrati documenti(const opzioni_build& o) const {
    return {{o.sorgente_linea, testo_linea}, {o.sorgente_treno, testo_treno}};
  }
  // Errors in the documents (warnings too under -Werror), or a build that
  // did not end.
  bool errori() const;
};

// The warning rules, the identifiers and the state before reading: folder,
// names, plan flag. Returns "" or the usage error to show.
std::string prepara_costruzione(const opzioni_build& o, costruzione_in_memoria& c);

// The most a source document may hold: far more than any real one (the
// built-in line's is 33 KB, a 1,000 km line's under 1 MB), so that a device
// or a runaway file is refused rather than read until memory runs out.
constexpr uint64_t massimo_documento = uint64_t{256} << 20;

// Reads both documents into `c`, noting which files they were. Returns ""
// or the file failure to show.
std::string leggi_documenti(const opzioni_build& o, costruzione_in_memoria& c);

// The documents `c` read, for check_outputs.
std::vector<read_document> documenti_letti(const opzioni_build& o,
                                           const costruzione_in_memoria& c);

// Reads both documents and runs the whole build in memory. Returns "" or
// the file failure to show.
std::string esegui_costruzione(const opzioni_build& o, costruzione_in_memoria& c);

// The whole build in memory on the documents already in `c.testo_linea` and
// `c.testo_treno`, named as `o` names them: what esegui_costruzione does
// once it has read them.
void costruisci_testi(const opzioni_build& o, costruzione_in_memoria& c);

// What a build made, for the line that ends check and build: the stations
// of the scenario file, the signals on the track and the code points the
// track finishing added.
struct conteggio_costruito {
  int stazioni = 0;
  int segnali = 0;
  int codici_aggiunti = 0;
  bool operator==(const conteggio_costruito&) const = default;
};
conteggio_costruito conta_costruito(const costruzione_in_memoria& c);

// "45 stations, 179 signals, 2 code points added by the build", then
// "; wrote 3 files" when `file_scritti` is more than 0.
std::string riepilogo_costruito(const conteggio_costruito& n, int file_scritti = 0);

// Why the build stopped, where no error among the findings says so; "" when
// it did not stop or a finding tells.
std::string perche_fermata(const costruzione_in_memoria& c);
