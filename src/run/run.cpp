#include "run/run.h"

#include <cstdio>

#include "track/memorizza_percorso.h"
#include "documents/documents.h"
#include "run/exit_status.h"
#include "run/platform.h"
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

  Status s = memorizza_percorso(st, p, 1);
  if (!s.ok()) return riporta(p, s);

  if (p.chiudi_finestra) p.chiudi_finestra();
  return exit_status::ok;
}
