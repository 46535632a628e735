// The line half of the reader: the line source's header block, the
// kilometric progressives, the body rows (gradients, curves, mountains,
// speed-limit boards, indicator signs) and the fills after the body.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "reader/codici.h"
#include "reader/encoders.h"
#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/progressive_ordina.h"
#include "reader/reading.h"
#include "reader/track_cells.h"
#include "base/file_io.h"
#include "scenario/naming.h"
#include "base/rounding.h"
#include "scenario/scenario_state.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;  // metres
constexpr int64_t limite_curve = 1000000;       // metres a curve row may reach
constexpr int32_t margine_riga = 100;           // metres a row needs before the end

// Curvature per metre of the radius classes 1 to 6.
constexpr double curvatura[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

enum class esito_riga { avanti, esci_corpo, termina };

struct lettura_linea {
  scenario_state& st;
  field_reader r;
  const std::string& path;
  int32_t& slot_cartello;
  int64_t cursore_pendenza = 0;  // next cell of the gradient fill
  int32_t pendenza_precedente = 0;
  bool polilinea = false;         // the plan polyline is being built
  int64_t cursore_polilinea = 2;  // next metre of the polyline

  // Ends the reading early: the line source is deleted, the train source
  // stays unread.
  esito_riga abbandona(int32_t codice) {
    elimina_sorgente(path);
    st.codice_errore = codice;
    return esito_riga::termina;
  }
};

// Lays polyline points from the cursor up to metre `fino`, straight or with
// curvature k; the step keeps its length apart from the factor sqrt(1 + k^2)
// that a curved step adds. Works on the flat arrays directly. False as soon
// as the cursor passes `limite`; fails when a point would lie past the end
// of the polyline.
template <bool curva>
bool posa(tracciato_t& tr, int64_t& c, int64_t fino, double k, int64_t limite) {
  if (c > fino) return true;
  const size_t n = static_cast<size_t>(tr.ultimo) + 1;
  double* x = tr.valore.data();
  double* y = x + n;
  uint8_t* tx = tr.tipo.data();
  uint8_t* ty = tx + n;
  double x0 = x[c - 2], y0 = y[c - 2], x1 = x[c - 1], y1 = y[c - 1];
  while (c <= fino) {
    if (c > tr.ultimo) throw reading_failure{};
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double x2, y2;
    if constexpr (curva) {
      x2 = x1 + dx + k * dy;
      y2 = y1 + dy - k * dx;
    } else {
      x2 = x1 + dx;
      y2 = y1 + dy;
    }
    x[c] = x2;
    y[c] = y2;
    tx[c] = tracciato_t::reale;
    ty[c] = tracciato_t::reale;
    x0 = x1;
    y0 = y1;
    x1 = x2;
    y1 = y2;
    ++c;
    if (c > limite) return false;
  }
  return true;
}

// Sizes the track for a route of L metres, every cell and point afresh.
void crea_percorso(scenario_state& st, int32_t L) {
  st.lunghezza_tracciato = L + 7000;
  st.numero_celle = static_cast<int32_t>(arrotonda(st.lunghezza_tracciato / 50.0));
  st.percorso.assign(static_cast<size_t>(st.numero_celle) + 1, cella{});
  if (st.salva_linea != 0) st.tracciato.crea(st.lunghezza_tracciato);
}

void leggi_progressiva(field_reader& r, elemento& e) {
  e.inizio = read_whole<int32_t>(r);
  e.fine = read_whole<int32_t>(r);
  e.progressiva = read_whole<int32_t>(r);
}

// Applies the header rows to one token, each row that matches reading its
// own fields. Returns the status code that ends the reading, or 0.
int32_t righe_intestazione(lettura_linea& l, std::string_view t) {
  scenario_state& st = l.st;
  field_reader& r = l.r;
  auto& el = st.elementi;
  if (contiene_nc(t, "percorso") && contiene_nc(t, "lunghezza")) {
    const int32_t L = read_whole<int32_t>(r);
    el[slot::dimensioni].fine = L;
    if (L > lunghezza_massima) return codice::percorso_troppo_lungo;
    if (L < 0) throw reading_failure{};  // a track of negative size
    crea_percorso(st, L);
  }
  if (contiene(t, "progressiva") && contiene(t, "tre"))
    leggi_progressiva(r, el[slot::progressiva_tre]);
  if (contiene(t, "progressiva") && contiene(t, "due"))
    leggi_progressiva(r, el[slot::progressiva_due]);
  if (contiene(t, "progressiva") && contiene(t, "uno"))
    leggi_progressiva(r, el[slot::progressiva_uno]);
  if (contiene(t, "sfondo") && contiene(t, "uno"))
    el[slot::linea].inizio = read_whole<int32_t>(r);
  if (contiene(t, "sfondo") && contiene(t, "due")) {
    el[slot::linea].progressiva = read_whole<int32_t>(r);
  }
  if (contiene(t, "sfondo") && contiene(t, "tre"))
    el[slot::linea].fine = read_whole<int32_t>(r);
  if (contiene(t, "segnali") && contiene(t, "ripetizione")) {
    elemento& e = el[slot::treno];
    e.inizio = read_whole<int32_t>(r);
    e.fine = read_whole<int32_t>(r);
    if (e.inizio % 50 != 0) return codice::ripetizione_inizio;
    if (e.fine % 50 != 0) return codice::ripetizione_fine;
    if (contiene(t, "4")) {
      e.progressiva = 4;
    } else if (contiene(t, "9")) {
      e.progressiva = 9;
    } else {
      return codice::ripetizione_codici;
    }
    if (e.fine == 0) e.progressiva = 0;
  }
  return 0;
}

esito_riga pendenza(lettura_linea& l) {
  const int32_t p = read_whole<int32_t>(l.r);
  const int32_t g = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, p, margine_riga)) return esito_riga::esci_corpo;
  const int64_t n = indice_cella(p / 50.0);
  if (n > 0) {
    // At least one cell, even when the cursor is already at or past n; rows
    // out of order that push it past the last cell end the reading.
    do {
      cella_del_percorso(l.st, l.cursore_pendenza).pendenza =
          basso_8(int64_t{l.pendenza_precedente} + 100);
      ++l.cursore_pendenza;
    } while (l.cursore_pendenza < n);
  }
  l.pendenza_precedente = g;
  return esito_riga::avanti;
}

esito_riga curva(lettura_linea& l, std::string_view t) {
  const int32_t s = read_whole<int32_t>(l.r);
  const int32_t lunghezza = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, s, margine_riga)) return esito_riga::esci_corpo;
  int classe = 0;
  for (char cifra : std::string_view("123456")) {
    if (contiene(t, std::string_view(&cifra, 1))) {
      classe = cifra - '0';
      break;
    }
  }
  if (classe == 0) return l.abbandona(codice::curva_errata);
  double k = curvatura[classe - 1];
  if (contiene_nc(t, "s")) k = -k;
  if (!l.polilinea) throw reading_failure{};
  // A curve reaching past the last metre of the polyline ends the reading.
  tracciato_t& tr = l.st.tracciato;
  if (!posa<false>(tr, l.cursore_polilinea, s, 0, limite_curve) ||
      !posa<true>(tr, l.cursore_polilinea, int64_t{s} + lunghezza, k, limite_curve)) {
    return l.abbandona(codice::curva_errata);
  }
  return esito_riga::avanti;
}

esito_riga montagna(lettura_linea& l) {
  const int32_t inizio = read_whole<int32_t>(l.r);
  const int32_t fine = read_whole<int32_t>(l.r);
  const int32_t tipo = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, inizio, margine_riga)) return esito_riga::esci_corpo;
  memo_montagna(l.st, inizio, fine, tipo);
  if (l.st.codice_errore == codice::errore_lettura) throw reading_failure{};
  if (l.st.codice_errore > 0) {
    l.st.posizione_errore = inizio;
    return l.abbandona(l.st.codice_errore);
  }
  return esito_riga::avanti;
}

esito_riga indicatori(lettura_linea& l) {
  int32_t v[9];
  for (int32_t& campo : v) campo = read_whole<int32_t>(l.r);
  const int32_t posizione = v[0];
  if (oltre_il_percorso(l.st, posizione, margine_riga)) return esito_riga::esci_corpo;
  memo_indicatori_v_max(l.st, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  if (l.st.codice_errore == codice::errore_lettura) throw reading_failure{};
  if (l.st.codice_errore > 0) {
    l.st.posizione_errore = posizione;
    return l.abbandona(l.st.codice_errore);
  }
  return esito_riga::avanti;
}

esito_riga cartello(lettura_linea& l) {
  scenario_state& st = l.st;
  const int32_t p = read_whole<int32_t>(l.r);
  const std::string_view testo = leggi_nome(l.r);
  if (oltre_il_percorso(st, p, margine_riga)) return esito_riga::esci_corpo;
  // Signs take slots 80 down to 1; slot 0 stays empty.
  if (l.slot_cartello < 1) throw reading_failure{};
  cella& c = cella_del_percorso(st, indice_cella(p / 50.0 + 1));
  if (!libera(c)) {
    st.posizione_errore = p;
    return l.abbandona(codice::cartello_occupato);
  }
  c.codice = codice_cella::cartello_indicatore;
  c.dato_a = static_cast<int16_t>(l.slot_cartello);
  st.riga.assign(testo);
  st.elementi[static_cast<size_t>(l.slot_cartello)].nome.assign(testo);
  --l.slot_cartello;
  return esito_riga::avanti;
}

// Applies the body rows to one token, in order; each row that matches reads
// its own fields.
esito_riga righe_corpo(lettura_linea& l, std::string_view t) {
  if (contiene_nc(t, "pendenza")) {
    if (const esito_riga e = pendenza(l); e != esito_riga::avanti) return e;
  }
  // Without the polyline, curve rows are not recognised.
  if (l.st.salva_linea != 0 && contiene_nc(t, "curva")) {
    if (const esito_riga e = curva(l, t); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "montagna")) {
    if (const esito_riga e = montagna(l); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "indicatori_v")) {
    if (const esito_riga e = indicatori(l); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "cartello") && contiene_nc(t, "indicat")) return cartello(l);
  return esito_riga::avanti;
}

}  // namespace

esito_linea leggi_linea(scenario_state& st, int32_t& slot_cartello) {
  const std::string path = file_path(st, file_kind::line_source);
  if (!file_exists(path)) {
    st.codice_errore = codice::linea_mancante;  // nothing is deleted
    return esito_linea::termina;
  }
  std::string testo;
  if (!read_file(path, testo).ok()) throw reading_failure{};
  lettura_linea l{st, field_reader{testo}, path, slot_cartello};
  const auto termina = [&](int32_t c) {
    l.abbandona(c);
    return esito_linea::termina;
  };

  // Everything before the first "[generale]" token is ignored; an empty
  // document has no such line either.
  for (;;) {
    if (at_end(l.r)) return termina(codice::generale_mancante);
    const std::string_view t = leggi_token(st, l.r);
    if (at_end(l.r)) return termina(codice::generale_mancante);
    if (contiene_nc(t, "[generale]")) break;
  }

  // The header block, up to the first section line.
  for (;;) {
    if (at_end(l.r)) break;
    std::string_view t = leggi_token(st, l.r);
    if (at_end(l.r)) break;
    for (int volte = 0; volte < 10; ++volte) {
      if (contiene(t, "-")) t = leggi_token(st, l.r);
    }
    if (const int32_t c = righe_intestazione(l, t); c != 0) return termina(c);
    if (riga_sezione(t)) break;
  }

  progressive_ordina(st);
  if (st.codice_errore == codice::errore_lettura) throw reading_failure{};

  st.numero_montagne = 0;
  slot_cartello = slot::primo_cartello;
  l.polilinea = st.salva_linea != 0 && st.tracciato.esiste();
  if (l.polilinea) {
    // The line starts at (0, 0) heading along +y.
    st.tracciato.metti_intero(0, 0, 0);
    st.tracciato.metti_intero(0, 1, 0);
    st.tracciato.metti_intero(1, 0, 0);
    st.tracciato.metti_intero(1, 1, 1);
  }

  for (;;) {
    std::string_view t;
    if (!prossimo_token(st, l.r, t)) break;
    const esito_riga e = righe_corpo(l, t);
    if (e == esito_riga::termina) return esito_linea::termina;
    if (e == esito_riga::esci_corpo) break;
  }
  elimina_sorgente(path);

  // The last gradient runs on up to cell numero_celle - 3 (at least one cell).
  do {
    cella_del_percorso(st, l.cursore_pendenza).pendenza =
        basso_8(int64_t{l.pendenza_precedente} + 100);
    ++l.cursore_pendenza;
  } while (l.cursore_pendenza < int64_t{st.numero_celle} - 2);

  // The plan runs on straight; its last two points stay empty.
  if (l.polilinea) {
    posa<false>(st.tracciato, l.cursore_polilinea, int64_t{st.lunghezza_tracciato} - 2, 0,
                std::numeric_limits<int64_t>::max());
  }
  return esito_linea::prosegui;
}
