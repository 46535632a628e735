#include "tool/serve/live_session.h"

#include <memory>

#include "tool/report/report_pages.h"
#include "tool/session/in_memory_build.h"

live_session::live_session() = default;
live_session::~live_session() = default;

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
  if (costruzione_ && c->testo_linea == costruzione_->testo_linea &&
      c->testo_treno == costruzione_->testo_treno)
    return era_illeggibile ? outcome::readable : outcome::same;
  costruisci_testi(lettura_, *c);
  pagina_ = crea_pagine_report(*c, lettura_, false, versione).pagina;
  versione_pagina_ = versione;
  costruzione_ = std::move(c);
  return outcome::rebuilt;
}
