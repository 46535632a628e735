// Reporting a finding and the origin of a cell's feature. The status pair
// is the build's own record: a finding whose table row names a status code
// sets codice_errore to it (posizione_errore stays the caller's business, set
// exactly where the build has always set it). The finding itself goes to the
// collecting sink only when one is attached.
#pragma once

#include <cstdint>
#include <utility>

#include "scenario/findings.h"
#include "scenario/scenario_state.h"

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

// The field `campo` of cell k (an index of percorso) was set from `riga`.
inline void segna_campo(scenario_state& st, int64_t k, luogo provenienza_cella::*campo,
                        const luogo& riga) {
  if (st.provenienza == nullptr) return;
  if (k >= 0 && static_cast<size_t>(k) < st.provenienza->size())
    (*st.provenienza)[static_cast<size_t>(k)].*campo = riga;
}

// Cell k got its feature from the row being read.
inline void segna_origine(scenario_state& st, int64_t k) {
  if (st.provenienza == nullptr) return;
  if (k >= 0 && static_cast<size_t>(k) < st.provenienza->size()) {
    provenienza_cella& p = (*st.provenienza)[static_cast<size_t>(k)];
    p.caratteristica = st.riga_in_lettura;
    p.completamento = false;
  }
}

// The row that last put a feature on cell k, where it is kept.
inline luogo origine_di(const scenario_state& st, int64_t k) {
  if (st.provenienza == nullptr || k < 0 ||
      static_cast<size_t>(k) >= st.provenienza->size())
    return {};
  return (*st.provenienza)[static_cast<size_t>(k)].caratteristica;
}
