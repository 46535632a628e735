#include "track/completa_percorso.h"

#include <initializer_list>

#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

constexpr int16_t valore_codice = 180;
constexpr int16_t velocita_soglia = 110;   // km/h: no code points inside from here
constexpr int portata_indietro = 20;       // cells looked at before a warning board
constexpr int indice_minimo_indietro = 3;  // lowest cell looked at
constexpr int passo_interno = 8;           // cells between code points inside
constexpr int portata_avanti = 12;         // cells looked at after the end board

// Places a code point on cell k; its origin is the row of the board or
// signal it serves (the row being "read" while the track is finished).
void metti_codice(scenario_state& st, int32_t k) {
  cella& c = st.percorso[static_cast<size_t>(k)];
  c.codice = codice_cella::abbattimento;
  c.dato_a = valore_codice;
  segna_origine(st, k, true);
}

// The build lowered the value of the code point at k (to 180 at the most).
void segna_abbassato(scenario_state& st, int32_t k) {
  segna_provenienza(st, k, [](provenienza_cella& p) { p.valore_abbassato = true; });
}

// No room for a code point serving the feature at cell `origine`; the
// status position is that of cell `indice`; `presa` is a cell whose feature
// took the room (the note points at its row).
void senza_posto(scenario_state& st, reperto_id id, int32_t indice, int32_t origine,
                 int32_t presa) {
  reperto r;
  r.id = id;
  r.dove = origine_di(st, origine);
  r.origine = origine_di(st, presa);
  r.cella = indice;
  r.ha_posizione = true;
  r.posizione = indice * 50;
  segnala(st, r, indice * 50);
}

// Rule A: every signal among the 20 cells before the warning board at `i`
// (down to cell 3) gets a code point on one of the two cells before it.
void regola_a(scenario_state& st, int32_t i) {
  auto& t = st.percorso;
  for (int32_t k = 1; k <= portata_indietro && i - k >= indice_minimo_indietro; ++k) {
    if (t[i - k].codice != codice_cella::segnale) continue;
    st.riga_in_lettura = origine_di(st, i - k);
    cella& p = t[i - k - 1];
    cella& q = t[i - k - 2];
    if (libera(p)) {
      metti_codice(st, i - k - 1);
    } else if (libera(q)) {
      metti_codice(st, i - k - 2);
    } else if (p.codice == codice_cella::abbattimento) {
      p.dato_a = static_cast<int16_t>(minimo(valore_codice, p.dato_a));
      segna_abbassato(st, i - k - 1);
    } else if (q.codice == codice_cella::abbattimento) {
      q.dato_a = static_cast<int16_t>(minimo(valore_codice, q.dato_a));
      segna_abbassato(st, i - k - 2);
    } else {
      senza_posto(st, reperto_id::codice_senza_posto_segnale, i - k, i - k, i - k - 1);
    }
  }
}

// Places a code point on the first free cell of `candidates`.
bool metti_sul_primo_libero(scenario_state& st,
                            std::initializer_list<int32_t> candidates) {
  for (int32_t c : candidates) {
    if (libera(st.percorso[c])) {
      metti_codice(st, c);
      return true;
    }
  }
  return false;
}

// Rule B: the start board at `i`.
void regola_b(scenario_state& st, int32_t i) {
  auto& t = st.percorso;
  const int32_t ultima = static_cast<int32_t>(t.size()) - 1;
  st.riga_in_lettura = origine_di(st, i);
  const auto finestra = [&](int32_t indice, int32_t presa) {
    senza_posto(st, reperto_id::codice_senza_posto_finestra, indice, i, presa);
  };
  const auto interno = [&](int32_t indice, int32_t presa) {
    senza_posto(st, reperto_id::codice_senza_posto_interno, indice, i, presa);
  };

  // Three windows before the board, each where the track reaches back far enough.
  if (i > 7 && !metti_sul_primo_libero(st, {i - 5, i - 6, i - 7})) finestra(i, i - 5);
  if (i > 13 && !metti_sul_primo_libero(st, {i - 11, i - 12, i - 13})) finestra(i, i - 11);
  if (i > 20 && !metti_sul_primo_libero(st, {i - 18, i - 19, i - 20})) finestra(i, i - 18);

  // Inside the slowdown: a code point every 8 cells up to the end board.
  // At 110 km/h or more nothing is placed, but the walk still finds the end
  // board so that the next step searches from the slowdown's own end.
  // Without an end board the walk stops at the last cell.
  const bool interni = t[i].dato_a < velocita_soglia;
  int32_t w = i;
  int32_t c = 0;
  while (w < ultima) {
    ++w;
    ++c;
    if (interni && c == passo_interno) {
      if (libera(t[w])) {
        metti_codice(st, w);
        c = 0;
      } else if (libera(t[w - 1])) {
        metti_codice(st, w - 1);
        c = 1;
      } else if (w + 1 <= ultima && libera(t[w + 1])) {
        metti_codice(st, w + 1);
        c = -1;
      } else {
        interno(w, w);  // c stays 8: no further code point in this walk
      }
    }
    if (t[w].codice == codice_cella::fine_rallentamento) break;
  }

  // A code point right before the first signal within 12 cells of the end.
  for (int32_t j = w; j <= w + portata_avanti && j <= ultima; ++j) {
    if (t[j].codice != codice_cella::segnale) continue;
    int32_t s = j - 1;
    if (s <= 0) return;
    if (libera(t[s])) {
      metti_codice(st, s);
    } else if (libera(t[s - 1])) {
      metti_codice(st, s - 1);
    } else {
      interno(w, s);
    }
    return;
  }
}

}  // namespace

void completa_percorso(scenario_state& st) {
  // numero_celle is the last cell's index; the size of the track is what
  // bounds every index here.
  const int32_t limite = static_cast<int32_t>(st.percorso.size()) - 3;
  for (int32_t i = 1; i <= limite; ++i) {
    uint8_t codice = st.percorso[i].codice;
    if (codice == codice_cella::avviso_rallentamento) {
      regola_a(st, i);
    } else if (codice == codice_cella::inizio_rallentamento) {
      regola_b(st, i);
    }
  }
}
