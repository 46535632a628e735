#include "run/errore.h"

#include "run/exit_status.h"
#include "run/platform.h"
#include "scenario/scenario_state.h"

std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

void errore(scenario_state& st, const platform& p, const std::string& a) {
  st.risposta_messaggio = p.mostra_messaggio(messaggio_errore(a));
  if (p.chiudi_finestra) p.chiudi_finestra();
  p.termina(exit_status::errore);
}
