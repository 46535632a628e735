#include "reader/encoders.h"

#include <limits>

#include "base/rounding.h"
#include "reader/track_cells.h"
#include "reader/warnings.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

// The row would write outside the track or the tables: status 25. For the
// track, the finding names the cell and the last one there is; `segni`
// says the cell is the farthest of a signal's approach marks.
void rifiuta(scenario_state& st, reperto_id id, int64_t k = -1, bool segni = false) {
  reperto r = alla_posizione(st, id, k);
  if (id == reperto_id::fuori_dal_percorso) {
    if (k < 0 && k >= std::numeric_limits<int32_t>::min())
      r.cella = static_cast<int32_t>(k);
    r.limite = st.numero_celle;
    r.valore = segni ? 1 : 0;
  }
  segnala(st, r);
}

// Cell k is taken: the feature that took it is named by its origin.
void conflitto(scenario_state& st, reperto_id id, int64_t k, int32_t posizione) {
  segnala(st, cella_occupata(st, id, k, posizione));
}

}  // namespace

void memo_montagna(scenario_state& st, const riga_montagna& r) {
  const bool marcatori = r.tipo > 10;
  int64_t tipo_stretto = marcatori ? int64_t{r.tipo} - 10 : r.tipo;

  const int64_t primo = indice_cella(r.inizio / 50.0);
  const int64_t ultimo = indice_cella(r.fine / 50.0 - 1);
  const int32_t n = st.numero_montagne;
  if (n < 0 || n + 1 >= static_cast<int32_t>(st.montagna_inizio.size())) {
    rifiuta(st, reperto_id::troppe_montagne);
    return;
  }
  if (primo <= ultimo &&
      (cella_in(st, primo) == nullptr || cella_in(st, ultimo) == nullptr)) {
    rifiuta(st, reperto_id::fuori_dal_percorso, cella_in(st, primo) ? ultimo : primo);
    return;
  }

  st.numero_montagne = n + 1;
  st.montagna_inizio[n + 1] = r.inizio;
  st.montagna_fine[n + 1] = r.fine;
  if (n + 1 > 1 && int64_t{r.inizio} - st.montagna_fine[n] <= 150) tipo_stretto = 3;

  if (primo <= ultimo) in_8_bit(st, tipo_stretto);  // warns once when it does not fit
  int64_t conta = 0;
  for (int64_t i = primo; i <= ultimo; ++i) {
    cella& c = st.percorso[static_cast<size_t>(i)];
    c.tipo_montagna = basso_8(tipo_stretto);
    segna_campo(st, i, &provenienza_cella::montagna, st.riga_in_lettura);
    ++conta;
    if (marcatori && conta % 4 == 0 && c.codice == codice_cella::nulla) {
      c.codice = codice_cella::marcatore_montagna;
      segna_origine(st, i);
    }
  }
}

void memo_rallentamento(scenario_state& st, const riga_rallentamento& r) {
  const int32_t x = r.x;
  // All three occupancy tests come before anything is written.
  const bool avviso = x > 1500;
  const int32_t f_ta = avviso ? r.f_ta : 0;
  const int64_t iw = indice_cella((x - 1200.0) / 50 + 1);
  const int64_t is = indice_cella(x / 50.0 + 1);
  const int64_t ie = indice_cella((static_cast<double>(x) + r.l) / 50 + 1);
  cella* w = nullptr;
  if (avviso) {
    w = cella_in(st, iw);
    if (w == nullptr) return rifiuta(st, reperto_id::fuori_dal_percorso, iw);
    if (!libera(*w)) return conflitto(st, reperto_id::avviso_occupato, iw, x);
  }
  cella* s = cella_in(st, is);
  if (s == nullptr) return rifiuta(st, reperto_id::fuori_dal_percorso, is);
  if (!libera(*s)) return conflitto(st, reperto_id::inizio_occupato, is, x);
  cella* e = cella_in(st, ie);
  if (e == nullptr) return rifiuta(st, reperto_id::fuori_dal_percorso, ie);
  if (!libera(*e)) return conflitto(st, reperto_id::fine_occupato, ie, x);

  // Start and end may share one cell (a slowdown shorter than a cell): the
  // start board then overwrites the end board.
  if (ie == is) {
    reperto rep = alla_posizione(st, reperto_id::sovrascritto, ie);
    rep.valore = codice_cella::fine_rallentamento;
    if (st.reperti != nullptr) segnala(st, rep);
  }
  const int16_t v = in_16_bit(st, r.v);
  const int16_t d_v = in_16_bit(st, r.d_v);
  const int16_t f_tt = in_16_bit(st, r.f_tt);
  e->codice = codice_cella::fine_rallentamento;
  segna_origine(st, ie);
  if (r.d_v != 0) e->dato_b = d_v;
  s->codice = codice_cella::inizio_rallentamento;
  segna_origine(st, is);
  if (r.d_v != 0) s->dato_b = d_v;
  if (avviso) {
    w->codice = codice_cella::avviso_rallentamento;
    segna_origine(st, iw);
    if (r.d_v != 0) w->dato_b = d_v;
    w->dato_a = v;
  }
  s->dato_a = v;
  e->dato_a = v;
  s->dato_c = f_tt;
  e->dato_c = f_tt;

  if (f_ta == 0) return;
  // x > 1500 here, so the four marks lie at cells 3 and up, below the
  // warning board's cell, which exists.
  const int64_t a = indice_cella((x - 1200.0) / 50);
  for (int64_t k = 0; k < 4; ++k) {
    if (!libera(st.percorso[static_cast<size_t>(a - k)])) {
      return conflitto(st, reperto_id::preavvisi_occupati, a - k, x);
    }
  }
  for (int64_t k = 0; k < 4; ++k) {
    cella& c = st.percorso[static_cast<size_t>(a - k)];
    c.codice = codice_cella::preavviso_rallentamento;
    segna_origine(st, a - k);
    c.dato_a = basso_16(k + 1);
    if (r.d_v != 0) c.dato_b = basso_16(k + 1);
  }
}

void memo_segnale(scenario_state& st, const riga_segnale& r) {
  const int64_t k = indice_cella(r.posizione / 50.0 + 1);
  // The approach marks reach 8 cells back.
  if (k < 8) return rifiuta(st, reperto_id::fuori_dal_percorso, k - 8, true);
  if (cella_in(st, k) == nullptr) return rifiuta(st, reperto_id::fuori_dal_percorso, k);
  cella& c = st.percorso[static_cast<size_t>(k)];
  if (!libera(c)) return conflitto(st, reperto_id::segnale_occupato, k, r.posizione);
  const int64_t lati = int64_t{r.sx} * 3 + r.dx;
  c.codice = codice_cella::segnale;
  segna_origine(st, k);
  c.dato_d = in_16_bit(st, int64_t{r.rapp} * 10 + lati);
  c.dato_a = in_16_bit(st, int64_t{r.s1} * 10 + r.d1);
  c.dato_b = in_16_bit(st, int64_t{r.s2} * 10 + r.d2);
  c.dato_c = in_16_bit(st, int64_t{r.s3} * 10 + r.d3);
  int32_t tempo = r.tempo;
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  if (r.sx == 2) {
    if (tempo != r.tempo) avvisa(st, reperto_id::tempo_alzato, {}, r.tempo, tempo);
    c.tempo = in_8_bit(st, tempo);
  } else {
    if (r.tempo != 0) avvisa(st, reperto_id::tempo_ignorato, {}, r.tempo);
    c.tempo = 0;
  }
  for (int64_t n = 1; n <= 4; ++n) {
    const int64_t m = k - 2 * n;
    // A mark here from another row (a station's, say) is replaced: marks
    // of signals near stations do that all along a line, so it is no warning.
    st.percorso[static_cast<size_t>(m)].preavviso =
        n == 1 ? in_8_bit(st, lati * 10 + n) : basso_8(lati * 10 + n);
    segna_campo(st, m, &provenienza_cella::preavviso, st.riga_in_lettura);
  }
}

void memo_indicatori_v_max(scenario_state& st, const riga_indicatori& r) {
  const int64_t k = indice_cella(r.posizione / 50.0 + 1);
  cella* c = cella_in(st, k);
  if (c == nullptr) return rifiuta(st, reperto_id::fuori_dal_percorso, k);
  if (!libera(*c)) return conflitto(st, reperto_id::indicatori_occupati, k, r.posizione);
  c->codice = codice_cella::indicatori_v_max;
  segna_origine(st, k);
  // Hundreds and above carry the first set, the last two digits the second.
  const auto coppia = [&](int32_t prima, int32_t seconda, int16_t& dato) {
    const auto v = arrotonda_a<int16_t>(prima * 20.0 + seconda / 5.0);
    if (!v) {
      reperto rep = alla_posizione(st, reperto_id::valore_troppo_grande, k);
      rep.valore = std::numeric_limits<int16_t>::min();
      rep.limite = std::numeric_limits<int16_t>::max();
      segnala(st, rep);
      return false;
    }
    dato = *v;
    return true;
  };
  if (!coppia(r.vas, r.vad, c->dato_a) || !coppia(r.vbs, r.vbd, c->dato_b) ||
      !coppia(r.vcs, r.vcd, c->dato_c)) {
    return;
  }
  c->dato_d = in_16_bit(st, int64_t{r.strisces} * 10 + r.strisced);
}
