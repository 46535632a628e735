#include "run/source_files.h"

#include "base/file_io.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"

sorgenti_su_disco::sorgenti_su_disco(const scenario_state& st)
    : percorso_linea(file_path(st, file_kind::line_source)),
      percorso_treno(file_path(st, file_kind::train_source)) {
  documento_sorgente& linea = sorgenti.linea;
  linea.nome = percorso_linea;
  if (!file_exists(percorso_linea)) {
    linea.stato = stato_documento::mancante;
  } else if (!read_file(percorso_linea, testo_linea).ok()) {
    linea.stato = stato_documento::illeggibile;
  } else {
    linea.stato = stato_documento::presente;
    linea.testo = testo_linea;
  }

  documento_sorgente& treno = sorgenti.treno;
  treno.nome = percorso_treno;
  if (read_file(percorso_treno, testo_treno).ok()) {
    treno.stato = stato_documento::presente;
    treno.testo = testo_treno;
  } else {
    treno.stato = stato_documento::mancante;
  }

  sorgenti.consumato = [this](documento d) {
    return remove_file(d == documento::linea ? percorso_linea : percorso_treno).ok();
  };
}

esito_build memorizza_percorso_in_cartella(scenario_state& st, int32_t j) {
  const sorgenti_su_disco sorgenti(st);
  return memorizza_percorso(st, sorgenti.sorgenti, j);
}
