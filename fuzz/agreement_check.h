// One fuzz case of the tool against the one-shot build: the same documents
// built both ways, in memory. The tool collects findings and provenance; the
// one-shot build collects neither, and must not be led elsewhere by them.
// The tool's errors say why the one-shot build ends as it does: the status
// the reader records is among them, a build without errors is one that
// ends with status 0, and what `build --force` writes (the tool's state
// through the core's writers) is what the one-shot build writes.
#pragma once

#include <bit>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "scenario/scenario_state.h"
#include "tool_case.h"
#include "track/memorizza_percorso.h"

namespace agreement_check {

inline bool stessi_tratti(const tracciato_a_tratti& a, const tracciato_a_tratti& b) {
  if (a.ultimo != b.ultimo || a.posati != b.posati || a.tratti.size() != b.tratti.size())
    return false;
  for (size_t i = 0; i < a.tratti.size(); ++i) {
    if (a.tratti[i].fine != b.tratti[i].fine ||
        std::bit_cast<uint64_t>(a.tratti[i].curvatura) !=
            std::bit_cast<uint64_t>(b.tratti[i].curvatura))
      return false;
  }
  return true;
}

inline std::vector<std::string> run_case(const uint8_t* data, size_t size) {
  std::vector<std::string> problems;
  auto fail = [&](const std::string& what) { problems.push_back(what); };
  build_check::fuzz_case f;
  opzioni_build o;
  costruzione_in_memoria c;
  if (!tool_case::costruisci(data, size, f, o, c))
    return {tool_case::senza_identificativi};

  // The one-shot build of the same documents: no findings, no provenance,
  // each document let go once read.
  scenario_state st;
  st.cartella = c.st.cartella;
  st.linea = c.id.linea_cp1252;
  st.treno = c.id.treno_cp1252;
  sorgenti_lettura sorgenti;
  sorgenti.linea = {o.sorgente_linea, stato_documento::presente, f.line};
  sorgenti.treno = {o.sorgente_treno, stato_documento::presente, f.train};
  sorgenti.consumato = [](documento) { return true; };
  const esito_build e = costruisci_scenario(st, sorgenti, f.salva_linea);
  const std::string status = "status " + std::to_string(st.codice_errore);

  // The same build: the findings only watch.
  if (c.st.codice_errore != st.codice_errore ||
      c.st.posizione_errore != st.posizione_errore)
    fail("the tool's build ends with status " + std::to_string(c.st.codice_errore) +
         ", the one-shot build with " + status);
  if (c.esito.tipo != e.tipo || c.esito.numero_errore != e.numero_errore)
    fail("the two builds end differently");
  if (c.st.percorso != st.percorso) fail("the tracks differ");
  if (c.st.elementi != st.elementi) fail("the scenario slots differ");
  if (!stessi_tratti(c.st.tracciato, st.tracciato)) fail("the polylines differ");

  // The tool's errors as the documents hold them (-Werror aside).
  std::set<int32_t> codici;
  bool errori = false;
  for (const reperto& r : c.reperti) {
    const descrizione_reperto& d = descrivi(r.id);
    if (d.livello != severity::error) continue;
    errori = true;
    codici.insert(d.codice);
  }
  if (st.codice_errore != 0 && codici.count(st.codice_errore) == 0)
    fail("the one-shot build ends with " + status + ", which no error of the tool gives");
  if (e.tipo == esito::errore && !errori)
    fail("the one-shot build stops with error " + std::to_string(e.numero_errore) +
         " and the tool finds no error");
  if (!errori && (st.codice_errore != 0 || e.tipo != esito::fatto))
    fail("the tool finds no error, the one-shot build ends with " + status);
  if (errori && st.codice_errore == 0 && e.tipo == esito::fatto)
    fail("the tool finds an error, the one-shot build ends with status 0");
  return problems;
}

}  // namespace agreement_check
