#include "run/run.h"

#include <cstdio>
#include <string>

#include "track/memorizza_percorso.h"
#include "documents/documents.h"
#include "run/errore.h"
#include "run/exit_status.h"
#include "run/platform.h"
#include "run/source_files.h"
#include "scenario/scenario_state.h"

namespace {

int riporta(const platform& p, const Status& s) {
  if (p.chiudi_finestra) p.chiudi_finestra();
  std::fprintf(stderr, "scenario_build: %s\n", s.message().c_str());
  std::fflush(stderr);
  return exit_status::failure;
}

}  // namespace

int esegui(scenario_state& st, const platform& p) {
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  p.mostra_finestra("Attendere");

  using writer = Status (*)(const scenario_state&);
  for (writer w : {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    Status s = w(st);
    if (!s.ok()) return riporta(p, s);
  }

  const esito_build e = memorizza_percorso_in_cartella(st, 1);
  switch (e.tipo) {
    case esito::errore:
      // The box ends the process; a platform whose end returns comes back here.
      errore(st, p, std::to_string(e.numero_errore));
      return exit_status::errore;
    case esito::guasto:
      return riporta(p, e.status);
    case esito::fatto:
      break;
  }
  if (p.chiudi_finestra) p.chiudi_finestra();
  return exit_status::ok;
}
