#include "tool/serve/live_session.h"

#include <memory>

#include "tool/report/report_pages.h"
#include "tool/session/in_memory_build.h"

std::string live_session::prepare(const opzioni_build& lettura) {
  lettura_ = lettura;
  lettura_.senza_tracciato = false;  // the plan map needs the polyline
  // The identifiers and -W are checked once, before anything is read.
  costruzione_in_memoria c;
  return prepara_costruzione(lettura_, c);
}

live_session::outcome live_session::refresh(uint64_t versione) {
  // One build is a large record that points into itself: made in place.
  auto c = std::make_unique<costruzione_in_memoria>();
  prepara_costruzione(lettura_, *c);
  const std::string errore = leggi_documenti(lettura_, *c);
  if (!errore.empty()) {
    problema_ = errore;
    return outcome::unreadable;
  }
  const bool era_illeggibile = !problema_.empty();
  problema_.clear();
  if (costruita_ && c->testo_linea == testo_linea_ && c->testo_treno == testo_treno_)
    return era_illeggibile ? outcome::readable : outcome::same;
  costruisci_testi(lettura_, *c);
  pagina_ = crea_pagine_report(*c, lettura_, false, versione).pagina;
  versione_pagina_ = versione;
  testo_linea_ = std::move(c->testo_linea);
  testo_treno_ = std::move(c->testo_treno);
  conteggio_ = conta_reperti(c->reperti, c->regole);
  fermata_ = !perche_fermata(*c).empty();
  costruita_ = true;
  return outcome::rebuilt;
}

std::string live_session::summary() const {
  const int errori = conteggio_.errori + (fermata_ ? 1 : 0);
  const auto quanti = [](int n, const char* parola) {
    return std::to_string(n) + " " + parola + (n == 1 ? "" : "s");
  };
  return quanti(errori, "error") + ", " + quanti(conteggio_.avvisi, "warning");
}
