#include "reader/progressive_ordina.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "scenario/codici.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

struct voce {
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t progressiva = 0;
};

constexpr std::array<int, 3> slots = {slot::progressiva_tre, slot::progressiva_due,
                                      slot::progressiva_uno};

}  // namespace

void progressive_ordina(scenario_state& st) {
  std::array<voce, 3> v{};  // A, B, C: the entries of slots 81, 82, 83
  for (size_t i = 0; i < 3; ++i) {
    const elemento& e = st.elementi[slots[i]];
    v[i] = {e.inizio, e.fine, e.progressiva};
  }
  const voce& a = v[0];
  const voce& b = v[1];
  const voce& c = v[2];

  std::array<voce, 3> nuove{};
  if (a.inizio == 0 && b.inizio == 0 && c.inizio == 0) {
    // No starts (tested one by one: a sum of starts could cancel or wrap to
    // 0): the entry with a positive offset goes first.
    if (c.fine > 0) {
      nuove = {c, b, a};
    } else if (b.fine > 0) {
      nuove = {b, a, c};
    } else if (a.fine > 0) {
      nuove = v;
    }  // else all three are cleared
  } else {
    // Descending starts; equal starts keep the order C, B, A. Starts shared
    // by the first two or three entries follow the same rule instead of
    // dropping the entries.
    nuove = {c, b, a};
    std::stable_sort(nuove.begin(), nuove.end(),
                     [](const voce& x, const voce& y) { return x.inizio > y.inizio; });
  }

  for (voce& n : nuove) {
    if (n.progressiva != 1) continue;
    if (n.fine > std::numeric_limits<int32_t>::max() - 100) {
      reperto r = nuovo_reperto(reperto_id::valore_troppo_grande, st.riga_in_lettura);
      r.valore = std::numeric_limits<int32_t>::min();
      r.limite = std::numeric_limits<int32_t>::max() - 100;
      segnala(st, r);
      return;
    }
    n.fine += 100;
  }
  for (size_t i = 0; i < 3; ++i) {
    elemento& e = st.elementi[slots[i]];
    e.inizio = nuove[i].inizio;
    e.fine = nuove[i].fine;
    e.progressiva = nuove[i].progressiva;
  }
}
