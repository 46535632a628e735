// The line half of the reader: the line source's header block, the
// kilometric progressives, the body rows (gradients, curves, mountains,
// speed-limit boards, indicator signs) and the fills after the body.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "base/rounding.h"
#include "reader/encoders.h"
#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/progressive_ordina.h"
#include "reader/reading.h"
#include "reader/row_kinds.h"
#include "reader/track_cells.h"
#include "reader/warnings.h"
#include "scenario/codici.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;  // metres
constexpr int64_t limite_curve = 1000000;       // metres a curve row may reach

// Curvature per metre of the radius classes 1 to 6.
constexpr double curvatura[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// Lays polyline points from the next one (tr.posati) up to metre `fino`,
// straight (k = 0) or with curvature k, a point at a time: false as soon as
// a point past metre `limite` is laid, or when the next point would lie
// past the end of the polyline (tr.posati then tells which). Only where the
// laying ends is worked out here; the points are computed from the
// stretches when they are wanted.
bool posa_punti(tracciato_a_tratti& tr, int64_t fino, double k, int64_t limite) {
  const int64_t c = tr.posati;
  if (c > fino) return true;
  if (c > tr.ultimo) return false;
  const int64_t ultimo_posato = std::min({fino, int64_t{tr.ultimo}, std::max(c, limite)});
  tr.posa(static_cast<int32_t>(ultimo_posato + 1), k);
  return tr.posati <= limite && tr.posati > fino;
}

// Sizes the track for a route of L metres, every cell and point afresh.
void crea_percorso(scenario_state& st, int32_t L) {
  st.lunghezza_tracciato = L + 7000;
  st.numero_celle = static_cast<int32_t>(arrotonda(st.lunghezza_tracciato / 50.0));
  st.percorso.assign(static_cast<size_t>(st.numero_celle) + 1, cella{});
  azzera_provenienza(st, st.percorso.size());
  if (st.salva_linea != 0) st.tracciato.crea(st.lunghezza_tracciato);
}

// A kilometric progressive: `quale` 0 for "tre", 1 "due", 2 "uno".
esito_riga progressiva(lettura& l, int slot, int quale) {
  consegna_linea::progressiva_letta& letta = l.consegna.progressive[quale];
  letta.riga = l.st.riga_in_lettura;
  elemento& e = l.st.elementi[static_cast<size_t>(slot)];
  constexpr size_t fine = indice_campo(campi_progressiva, "fine");
  l.leggi_campi(campi_progressiva, e, &e, 0, fine);
  letta.inizio = e.inizio;
  l.leggi_campi(campi_progressiva, e, &e, fine);
  return esito_riga::avanti;
}

}  // namespace

esito_riga posa::lunghezza(lettura& l, std::string_view) {
  scenario_state& st = l.st;
  l.nel_slot(campi_lunghezza, slot::dimensioni);
  const int32_t L = st.elementi[slot::dimensioni].fine;
  if (L > lunghezza_massima) {
    reperto rep = l.al_campo(reperto_id::percorso_troppo_lungo);
    rep.valore = L;
    rep.limite = lunghezza_massima;
    return l.abbandona(rep);
  }
  if (L < 0) {  // a track of negative size
    reading_failure f{l.al_campo(reperto_id::percorso_negativo)};
    f.r.valore = L;
    throw f;
  }
  crea_percorso(st, L);
  return esito_riga::avanti;
}

esito_riga posa::progressiva_tre(lettura& l, std::string_view) {
  return progressiva(l, slot::progressiva_tre, 0);
}
esito_riga posa::progressiva_due(lettura& l, std::string_view) {
  return progressiva(l, slot::progressiva_due, 1);
}
esito_riga posa::progressiva_uno(lettura& l, std::string_view) {
  return progressiva(l, slot::progressiva_uno, 2);
}

esito_riga posa::sfondo_uno(lettura& l, std::string_view) {
  return l.nel_slot(campi_sfondo_uno, slot::linea);
}
esito_riga posa::sfondo_due(lettura& l, std::string_view) {
  return l.nel_slot(campi_sfondo_due, slot::linea);
}
esito_riga posa::sfondo_tre(lettura& l, std::string_view) {
  return l.nel_slot(campi_sfondo_tre, slot::linea);
}

esito_riga posa::ripetizione(lettura& l, std::string_view t) {
  scenario_state& st = l.st;
  elemento& e = st.elementi[slot::treno];
  constexpr size_t fine = indice_campo(campi_ripetizione, "fine");
  l.leggi_campi(campi_ripetizione, e, &e, 0, fine);
  const luogo campo_inizio = ultimo_campo(l.r);
  l.leggi_campi(campi_ripetizione, e, &e, fine);
  if (e.inizio % 50 != 0) {
    reperto rep = l.al_campo(reperto_id::ripetizione_inizio);
    rep.dove = campo_inizio;
    rep.valore = e.inizio;
    return l.abbandona(rep);
  }
  if (e.fine % 50 != 0) {
    reperto rep = l.al_campo(reperto_id::ripetizione_fine);
    rep.valore = e.fine;
    return l.abbandona(rep);
  }
  if (contiene(t, "4")) {
    e.progressiva = 4;
  } else if (contiene(t, "9")) {
    e.progressiva = 9;
  } else {
    reperto rep = l.al_campo(reperto_id::ripetizione_codici);
    rep.dove = st.riga_in_lettura;
    return l.abbandona(rep);
  }
  if (e.fine == 0) e.progressiva = 0;
  return esito_riga::avanti;
}

esito_riga posa::pendenza(lettura& l, std::string_view) {
  const riga_valore riga = l.leggi_riga(campi_pendenza);
  const esito_riga e = l.porta(l.pendenza, riga);
  if (e != esito_riga::avanti) return e;
  // Stored as the gradient plus 100 in a byte; told in the author's terms,
  // as the gradient the simulator will read back.
  const int64_t voluto = int64_t{riga.valore} + 100;
  if (l.st.reperti != nullptr && basso_8(voluto) != voluto) {
    avvisa(l.st, reperto_id::valore_troncato, ultimo_campo(l.r), riga.valore,
           int64_t{basso_8(voluto)} - 100);
  }
  return esito_riga::avanti;
}

esito_riga posa::curva(lettura& l, std::string_view t) {
  const riga_curva riga = l.leggi_riga(campi_curva);
  const luogo campo_lunghezza = ultimo_campo(l.r);
  if (oltre_il_percorso(l.st, riga.inizio, margine_riga)) return esito_riga::esci_corpo;
  int classe = 0;
  for (char cifra : std::string_view("123456")) {
    if (contiene(t, std::string_view(&cifra, 1))) {
      classe = cifra - '0';
      break;
    }
  }
  if (classe == 0) {
    reperto rep = l.al_campo(reperto_id::curva_senza_classe);
    rep.dove = l.st.riga_in_lettura;
    return l.abbandona(rep);
  }
  double k = curvatura[classe - 1];
  if (contiene_nc(t, "s")) k = -k;
  if (!l.polilinea) fallisci(l.st, reperto_id::senza_percorso);
  tracciato_a_tratti& tr = l.st.tracciato;
  const int32_t s = riga.inizio;
  if (s < tr.posati - 1) avvisa(l.st, reperto_id::fuori_ordine, l.st.campo_posizione, s);
  const int64_t fine = int64_t{s} + riga.lunghezza;
  const bool dentro =
      posa_punti(tr, s, 0, limite_curve) && posa_punti(tr, fine, k, limite_curve);
  if (dentro) return esito_riga::avanti;
  // Past 1,000,000 m the reading ends with its own code; a curve reaching
  // past the last metre of a shorter polyline fails.
  if (tr.posati > limite_curve) {
    reperto rep = l.al_campo(reperto_id::curva_oltre_limite);
    rep.dove = campo_lunghezza;
    rep.valore = fine;
    rep.limite = limite_curve;
    return l.abbandona(rep);
  }
  reading_failure f{l.al_campo(reperto_id::fuori_dal_percorso)};
  f.r.dove = campo_lunghezza;
  throw f;
}

esito_riga posa::montagna(lettura& l, std::string_view) {
  const riga_montagna riga = l.leggi_riga(campi_montagna);
  if (riga.fine < riga.inizio) {
    l.insensato(motivo::fine_prima, riga.fine, indice_campo(campi_montagna, "fine"),
                l.st.riga_in_lettura);
  }
  if (oltre_il_percorso(l.st, riga.inizio, margine_riga)) return esito_riga::esci_corpo;
  memo_montagna(l.st, riga);
  return l.dopo_encoder(riga.inizio);
}

esito_riga posa::indicatori(lettura& l, std::string_view) {
  const riga_indicatori riga = l.leggi_riga(campi_indicatori);
  if (oltre_il_percorso(l.st, riga.posizione, margine_riga))
    return esito_riga::esci_corpo;
  memo_indicatori_v_max(l.st, riga);
  return l.dopo_encoder(riga.posizione);
}

esito_riga posa::cartello(lettura& l, std::string_view) {
  scenario_state& st = l.st;
  const riga_cartello riga = l.leggi_riga(campi_cartello);
  const int32_t p = riga.posizione;
  if (oltre_il_percorso(st, p, margine_riga)) return esito_riga::esci_corpo;
  // Signs take slots 80 down to 1; slot 0 stays empty.
  if (l.consegna.slot_cartello < 1) fallisci(st, reperto_id::troppi_cartelli);
  const int64_t k = indice_cella(p / 50.0 + 1);
  cella& c = cella_del_percorso(st, k);
  if (!libera(c)) return l.cella_presa(reperto_id::cartello_occupato, k, p);
  c.codice = codice_cella::cartello_indicatore;
  segna_origine(st, k);
  c.dato_a = static_cast<int16_t>(l.consegna.slot_cartello);
  st.elementi[static_cast<size_t>(l.consegna.slot_cartello)].nome.assign(riga.testo);
  --l.consegna.slot_cartello;
  return esito_riga::avanti;
}

bool leggi_linea(scenario_state& st, const sorgenti_lettura& s, consegna_linea& c) {
  const documento_sorgente& d = s.linea;
  if (d.stato == stato_documento::mancante) {
    // Nothing is deleted.
    segnala(st, nuovo_reperto(reperto_id::linea_mancante, {documento::linea, 0, 0}));
    return false;
  }
  if (d.stato == stato_documento::illeggibile) {
    throw reading_failure{
        nuovo_reperto(reperto_id::linea_illeggibile, {documento::linea, 0, 0})};
  }
  lettura l{st, field_reader{d.testo, 0, documento::linea}, s, c};
  controlla_formato(st, d.testo, documento::linea);

  // Everything before the first "[generale]" token is ignored; an empty
  // document has no such line either.
  const auto senza_generale = [&] {
    l.abbandona(nuovo_reperto(reperto_id::generale_mancante, luogo_in(l.r, 0, 0)));
    return false;
  };
  for (;;) {
    if (at_end(l.r)) return senza_generale();
    const std::string_view t = l.token();
    if (at_end(l.r)) return senza_generale();
    if (contiene_nc(t, "[generale]")) break;
  }
  const luogo generale = st.riga_in_lettura;

  // The header block, up to the first section line.
  for (;;) {
    if (at_end(l.r)) break;
    std::string_view t = l.token();
    if (at_end(l.r)) break;
    for (int volte = 0; volte < 10; ++volte) {
      if (contiene(t, "-")) t = l.token();
    }
    if (l.riga(t, sezione_riga::intestazione_linea) == esito_riga::termina) {
      return false;
    }
    if (riga_sezione(t)) break;
    l.dopo_riga(t, sezione_riga::intestazione_linea);
  }

  progressive_ordina(st);
  if (st.codice_errore == codice::errore_lettura) {
    if (!st.recupero) throw reading_failure{{}, true};
    st.codice_errore = 0;  // reported; the body is read on
  }

  st.numero_montagne = 0;
  c.slot_cartello = slot::primo_cartello;
  l.polilinea = st.salva_linea != 0 && st.tracciato.esiste();
  if (l.polilinea) st.tracciato.inizia();

  for (;;) {
    std::string_view t;
    if (!l.prossimo_token(t)) break;
    const esito_riga e = l.riga(t, sezione_riga::corpo_linea);
    if (e == esito_riga::termina) return false;
    if (e == esito_riga::esci_corpo) {
      l.segnala_interruzione();
      break;
    }
    l.dopo_riga(t, sezione_riga::corpo_linea);
  }
  l.consuma();
  // A line source without a route length has no track to fill.
  if (!st.percorso_creato())
    fallisci(st, reperto_id::percorso_mancante, -1, 0, 0, generale);

  // The last gradient runs on up to cell numero_celle - 3 (at least one cell).
  l.porta_fino_a(l.pendenza, int64_t{st.numero_celle} - 2);

  // The plan runs on straight; its last two points stay empty.
  if (l.polilinea) {
    posa_punti(st.tracciato, int64_t{st.lunghezza_tracciato} - 2, 0,
               std::numeric_limits<int64_t>::max());
  }
  return true;
}
