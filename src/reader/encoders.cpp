#include "reader/encoders.h"

#include "reader/codici.h"
#include "reader/track_cells.h"
#include "base/rounding.h"
#include "scenario/scenario_state.h"

void memo_montagna(scenario_state& st, int32_t inizio, int32_t fine, int32_t tipo) {
  const bool marcatori = tipo > 10;
  int64_t tipo_stretto = marcatori ? int64_t{tipo} - 10 : tipo;

  const int64_t primo = indice_cella(inizio / 50.0);
  const int64_t ultimo = indice_cella(fine / 50.0 - 1);
  const int32_t n = st.numero_montagne;
  if (n < 0 || n + 1 >= static_cast<int32_t>(st.montagna_inizio.size()) ||
      (primo <= ultimo &&
       (cella_in(st, primo) == nullptr || cella_in(st, ultimo) == nullptr))) {
    st.codice_errore = codice::errore_lettura;
    return;
  }

  st.numero_montagne = n + 1;
  st.montagna_inizio[n + 1] = inizio;
  st.montagna_fine[n + 1] = fine;
  if (n + 1 > 1 && int64_t{inizio} - st.montagna_fine[n] <= 150) tipo_stretto = 3;

  int64_t conta = 0;
  for (int64_t i = primo; i <= ultimo; ++i) {
    cella& c = st.percorso[static_cast<size_t>(i)];
    c.tipo_montagna = basso_8(tipo_stretto);
    ++conta;
    if (marcatori && conta % 4 == 0 && c.codice == codice_cella::nulla) {
      c.codice = codice_cella::marcatore_montagna;
    }
  }
}

void memo_rallentamento(scenario_state& st, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v) {
  // All three occupancy tests come before anything is written.
  const bool avviso = x > 1500;
  if (!avviso) f_ta = 0;
  cella* w = nullptr;
  if (avviso) {
    w = cella_in(st, indice_cella((x - 1200.0) / 50 + 1));
    if (w == nullptr) {
      st.codice_errore = codice::errore_lettura;
      return;
    }
    if (!libera(*w)) {
      st.codice_errore = codice::avviso_occupato;
      return;
    }
  }
  cella* s = cella_in(st, indice_cella(x / 50.0 + 1));
  if (s == nullptr) {
    st.codice_errore = codice::errore_lettura;
    return;
  }
  if (!libera(*s)) {
    st.codice_errore = codice::inizio_occupato;
    return;
  }
  cella* e = cella_in(st, indice_cella((static_cast<double>(x) + l) / 50 + 1));
  if (e == nullptr) {
    st.codice_errore = codice::errore_lettura;
    return;
  }
  if (!libera(*e)) {
    st.codice_errore = codice::fine_occupato;
    return;
  }

  // Start and end may share one cell (a slowdown shorter than a cell): the
  // start board then overwrites the end board.
  e->codice = codice_cella::fine_rallentamento;
  if (d_v != 0) e->dato_b = basso_16(d_v);
  s->codice = codice_cella::inizio_rallentamento;
  if (d_v != 0) s->dato_b = basso_16(d_v);
  if (avviso) {
    w->codice = codice_cella::avviso_rallentamento;
    if (d_v != 0) w->dato_b = basso_16(d_v);
    w->dato_a = basso_16(v);
  }
  s->dato_a = basso_16(v);
  e->dato_a = basso_16(v);
  s->dato_c = basso_16(f_tt);
  e->dato_c = basso_16(f_tt);

  if (f_ta == 0) return;
  // x > 1500 here, so the four marks lie at cells 3 and up, below the
  // warning board's cell, which exists.
  const int64_t a = indice_cella((x - 1200.0) / 50);
  for (int64_t k = 0; k < 4; ++k) {
    if (!libera(st.percorso[static_cast<size_t>(a - k)])) {
      st.codice_errore = codice::preavvisi_occupati;
      return;
    }
  }
  for (int64_t k = 0; k < 4; ++k) {
    cella& c = st.percorso[static_cast<size_t>(a - k)];
    c.codice = codice_cella::preavviso_rallentamento;
    c.dato_a = basso_16(k + 1);
    if (d_v != 0) c.dato_b = basso_16(k + 1);
  }
}

void memo_segnale(scenario_state& st, int32_t posizione, int32_t sx, int32_t s1,
                  int32_t s2, int32_t s3, int32_t rapp, int32_t dx, int32_t d1,
                  int32_t d2, int32_t d3, int32_t tempo) {
  const int64_t k = indice_cella(posizione / 50.0 + 1);
  // The approach marks reach 8 cells back.
  if (k < 8 || cella_in(st, k) == nullptr) {
    st.codice_errore = codice::errore_lettura;
    return;
  }
  cella& c = st.percorso[static_cast<size_t>(k)];
  if (!libera(c)) {
    st.codice_errore = codice::segnale_occupato;
    return;
  }
  const int64_t lati = int64_t{sx} * 3 + dx;
  c.codice = codice_cella::segnale;
  c.dato_d = basso_16(int64_t{rapp} * 10 + lati);
  c.dato_a = basso_16(int64_t{s1} * 10 + d1);
  c.dato_b = basso_16(int64_t{s2} * 10 + d2);
  c.dato_c = basso_16(int64_t{s3} * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  c.tempo = sx == 2 ? basso_8(tempo) : 0;
  for (int64_t n = 1; n <= 4; ++n) {
    st.percorso[static_cast<size_t>(k - 2 * n)].preavviso = basso_8(lati * 10 + n);
  }
}

void memo_indicatori_v_max(scenario_state& st, int32_t posizione, int32_t vas,
                           int32_t vbs, int32_t vcs, int32_t strisces, int32_t vad,
                           int32_t vbd, int32_t vcd, int32_t strisced) {
  cella* c = cella_in(st, indice_cella(posizione / 50.0 + 1));
  if (c == nullptr) {
    st.codice_errore = codice::errore_lettura;
    return;
  }
  if (!libera(*c)) {
    st.codice_errore = codice::indicatori_occupati;
    return;
  }
  c->codice = codice_cella::indicatori_v_max;
  // Hundreds and above carry the first set, the last two digits the second.
  const auto coppia = [](int32_t prima, int32_t seconda) {
    return arrotonda_a<int16_t>(prima * 20.0 + seconda / 5.0);
  };
  const auto a = coppia(vas, vad);
  if (!a) {
    st.codice_errore = codice::errore_lettura;
    return;
  }
  c->dato_a = *a;
  const auto b = coppia(vbs, vbd);
  if (!b) {
    st.codice_errore = codice::errore_lettura;
    return;
  }
  c->dato_b = *b;
  const auto cc = coppia(vcs, vcd);
  if (!cc) {
    st.codice_errore = codice::errore_lettura;
    return;
  }
  c->dato_c = *cc;
  c->dato_d = basso_16(int64_t{strisces} * 10 + strisced);
}
