// One fuzz case of the reader and the build in memory: the documents are
// the input's bytes, nothing is read from or written to disk, and the
// binary files are checked as the images their writers produce. The same
// input layout as build_check.h; the checks are those of the whole run that
// do not need a folder: status codes in the list, which documents the
// reader is done with, the two stamps ending the build before any output,
// and the size and decoding of every image.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "build_check.h"
#include "format/decode.h"
#include "format/layout.h"
#include "reader/memorizza_dati.h"
#include "scenario/codici.h"
#include "scenario/scenario_state.h"
#include "track/binary_files.h"
#include "track/memorizza_percorso.h"

namespace memory_check {

// The track and line plan images are built and read back whole only up to
// these sizes. Their writers do the same for every cell and every metre, so
// a longer route adds time and no new path: with images of up to 20,000
// m whole, they took more than half of each case. The line plan always
// runs 7,000 m past the route, so its limit is a route of 1,000 m. Past them the state
// itself is checked (the stamp in cell 1; the polyline's last metre, its stretches in
// order and ending where the laid points end).
constexpr size_t celle_immagine_intera = 2000;
constexpr int32_t metri_immagine_intera = 8000;

inline build_check::case_result run_case(const build_check::fuzz_case& c) {
  build_check::case_result result;
  auto fail = [&](const std::string& what) { result.problems.push_back(what); };

  scenario_state st;
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  sorgenti_lettura sorgenti;
  sorgenti.linea = {
      "linea", c.line_present ? stato_documento::presente : stato_documento::mancante,
      c.line};
  sorgenti.treno = {
      "treno", c.train_present ? stato_documento::presente : stato_documento::mancante,
      c.train};
  std::vector<documento> consumati;
  sorgenti.consumato = [&](documento d) {
    consumati.push_back(d);
    return true;
  };

  const esito_build e = costruisci_scenario(st, sorgenti, c.salva_linea);
  const int32_t code = st.codice_errore;
  result.codice_errore = code;
  result.build_ok = e.tipo == esito::fatto;
  if (e.tipo == esito::errore)
    result.messages.push_back(messaggio_errore(std::to_string(e.numero_errore)));
  const std::string status_text = "status " + std::to_string(code);

  if (!codice::in(codice::tutti, code))
    fail("status code not in the list: " + status_text);
  if (!c.line_present && code != codice::linea_mancante)
    fail("missing line source must give 101, got " + status_text);
  if (c.line_present && !c.train_present && !codice::in(codice::fine_nella_linea, code) &&
      code != codice::errore_lettura) {
    fail("missing train source must give 25, got " + status_text);
  }
  // A line source is always done with; the train source unless the line
  // half stopped the reading before it.
  const auto done = [&](documento d) {
    return std::find(consumati.begin(), consumati.end(), d) != consumati.end();
  };
  if (c.line_present && !done(documento::linea))
    fail("the line source was not let go (" + status_text + ")");
  if (c.train_present &&
      done(documento::treno) == codice::in(codice::fine_nella_linea, code))
    fail("the train source was let go wrongly after " + status_text);

  if (e.tipo == esito::errore) {
    if (e.numero_errore != 1250 && e.numero_errore != 1251)
      fail("unexpected error number " + std::to_string(e.numero_errore));
    return result;
  }
  if (e.tipo == esito::guasto) {
    if (st.percorso_creato()) fail("build failed with a track: " + e.status.message());
    return result;
  }
  if (!st.percorso_creato()) {
    fail("build succeeded without a track");
    return result;
  }
  if (st.percorso.size() != static_cast<size_t>(st.numero_celle) + 1) fail("cell count");

  if (st.percorso.size() < 2 || st.percorso[1].dato_a != timbro::cella)
    fail("track without the stamp in cell 1");
  // Track image: one record per cell, read back to the same cells.
  if (st.percorso.size() <= celle_immagine_intera) {
    std::vector<cella> percorso;
    const std::string track = immagine_percorso(st.percorso);
    if (track.size() != dimensione_cella * st.percorso.size()) {
      fail("track image of " + std::to_string(track.size()) + " bytes");
    } else if (const decode_status d = decode_percorso(track, percorso); !d.ok) {
      fail(d.message);
    } else if (percorso != st.percorso) {
      fail("track image decodes to other cells");
    }
  }

  // Scenario image: the fixed parts plus the names, decoded back alike.
  size_t names = 0;
  for (const elemento& el : st.elementi) names += el.nome.size();
  const std::string sim = immagine_elementi(st.elementi);
  std::array<elemento, slot::numero> elementi;
  if (sim.size() != numero_slot * dimensione_fissa_slot + names) {
    fail("scenario image of " + std::to_string(sim.size()) + " bytes");
  } else if (const decode_status d = decode_elementi(sim, elementi); !d.ok) {
    fail(d.message);
  } else if (elementi != st.elementi) {
    fail("scenario image decodes to other slots");
  } else if (elementi[0] != elemento{}) {
    fail("slot 0 is not empty");
  }

  // Line plan: built exactly when asked for.
  const tracciato_a_tratti& t = st.tracciato;
  if (c.salva_linea == 0) {
    if (t.esiste()) fail("a polyline was built with salva_linea 0");
  } else if (!t.esiste() || t.ultimo != st.lunghezza_tracciato) {
    fail("the polyline does not end at the route's last metre");
  } else if (t.ultimo <= metri_immagine_intera) {
    tracciato_t punti;
    const std::string plan = immagine_tracciato(t);
    if (const decode_status d = decode_tracciato(plan, punti); !d.ok) {
      fail(d.message);
    } else if (punti.tipo.size() != 2 * (static_cast<size_t>(t.ultimo) + 1)) {
      fail("line plan image of " + std::to_string(punti.tipo.size()) + " elements");
    }
  } else {
    int32_t prima = 2;
    for (const tratto_tracciato& r : t.tratti) {
      if (r.fine < prima) fail("the polyline's stretches go back");
      prima = r.fine;
    }
    if (t.posati > t.ultimo + 1 ||
        (!t.tratti.empty() && t.tratti.back().fine != t.posati))
      fail("the polyline's stretches do not end where its points end");
  }
  return result;
}

}  // namespace memory_check
