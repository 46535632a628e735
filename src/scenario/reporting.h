// Reporting a finding and the origin of a cell's feature. The status pair
// is the build's own record: a finding whose table row names a status code
// sets codice_errore to it, and a finding reported with a position sets
// posizione_errore with it (only where the build has always set it). The
// finding itself goes to the collecting sink only when one is attached.
#pragma once

#include <cstdint>
#include <limits>
#include <utility>

#include "scenario/findings.h"
#include "scenario/scenario_state.h"

// The build's status pair, set together: `codice` and the position in
// metres that goes with it. The one place posizione_errore is set.
inline void segna_stato(scenario_state& st, int32_t codice, int32_t posizione) {
  st.codice_errore = codice;
  st.posizione_errore = posizione;
}

inline void segnala(scenario_state& st, const reperto& r) {
  const descrizione_reperto& d = descrivi(r.id);
  if (d.codice != 0) st.codice_errore = d.codice;
  if (st.reperti == nullptr) return;
  if (d.livello == severity::warning && st.avvisi_per_genere > 0) {
    // Past a few of one kind in one document, the rest are only counted.
    // The list stays short this way, so looking through it costs little.
    reperto* ultimo = nullptr;
    int32_t tenuti = 0;
    for (auto it = st.reperti->rbegin(); it != st.reperti->rend(); ++it) {
      if (it->id != r.id || it->dove.doc != r.dove.doc) continue;
      if (ultimo == nullptr) ultimo = &*it;
      ++tenuti;
    }
    if (tenuti >= st.avvisi_per_genere) {
      ++ultimo->simili;
      return;
    }
  }
  st.reperti->push_back(r);
}

// Reports `r`, whose status goes with the position `posizione` (metres).
inline void segnala(scenario_state& st, const reperto& r, int32_t posizione) {
  segna_stato(st, descrivi(r.id).codice, posizione);
  segnala(st, r);
}

// The one place a cell's provenance is written: `scrivi` gets the entry of
// cell k (an index of percorso) when provenance is kept and k lies on the
// track. When it is not kept this costs one test.
template <class F>
inline void segna_provenienza(scenario_state& st, int64_t k, F scrivi) {
  if (st.provenienza == nullptr) return;
  if (k >= 0 && static_cast<size_t>(k) < st.provenienza->size())
    scrivi((*st.provenienza)[static_cast<size_t>(k)]);
}

// The provenance table sized afresh for `celle` cells, no row known.
inline void azzera_provenienza(scenario_state& st, size_t celle) {
  if (st.provenienza != nullptr) st.provenienza->assign(celle, provenienza_cella{});
}

// The field `campo` of cell k was set from `riga`.
inline void segna_campo(scenario_state& st, int64_t k, luogo provenienza_cella::*campo,
                        const luogo& riga) {
  segna_provenienza(st, k, [&](provenienza_cella& p) { p.*campo = riga; });
}

// Cell k got its feature from the row being read; with `completamento`,
// the feature is a code point the build added for that row.
inline void segna_origine(scenario_state& st, int64_t k, bool completamento = false) {
  segna_provenienza(st, k, [&](provenienza_cella& p) {
    p.caratteristica = st.riga_in_lettura;
    p.completamento = completamento;
  });
}

// The row that last put a feature on cell k, where it is kept.
inline luogo origine_di(const scenario_state& st, int64_t k) {
  if (st.provenienza == nullptr || k < 0 ||
      static_cast<size_t>(k) >= st.provenienza->size())
    return {};
  return (*st.provenienza)[static_cast<size_t>(k)].caratteristica;
}

// A finding at the position field of the row being read (or at the row,
// where it has none), about cell k (none when k does not fit).
inline reperto alla_posizione(const scenario_state& st, reperto_id id, int64_t k) {
  reperto r;
  r.id = id;
  r.dove = st.campo_posizione.esiste() ? st.campo_posizione : st.riga_in_lettura;
  r.riga = st.riga_in_lettura;
  if (k >= 0 && k <= std::numeric_limits<int32_t>::max())
    r.cella = static_cast<int32_t>(k);
  return r;
}

// Cell k, wanted at `posizione` metres by the row being read, is taken by
// another feature: the finding points at the row's position and notes the
// row that took the cell.
inline reperto cella_occupata(const scenario_state& st, reperto_id id, int64_t k,
                              int32_t posizione) {
  reperto r = alla_posizione(st, id, k);
  r.ha_posizione = true;
  r.posizione = posizione;
  r.origine = origine_di(st, k);
  return r;
}
