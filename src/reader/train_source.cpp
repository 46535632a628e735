// The train half of the reader: the train source's rows (sizes, speeds,
// adhesion, clock, sand, signals, slowdowns, code points, stations), the
// fills after the body and the check of the kilometric progressives.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/rounding.h"
#include "reader/encoders.h"
#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/reading.h"
#include "reader/row_kinds.h"
#include "reader/track_cells.h"
#include "reader/warnings.h"
#include "scenario/codici.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

constexpr int32_t margine_stazione = 800;   // metres a station needs
constexpr int32_t distanza_stazioni = 350;  // metres between two station areas

}  // namespace

esito_riga posa::massa(lettura& l, std::string_view) {
  return l.nel_slot(campi_massa, slot::dimensioni);
}

esito_riga posa::vetture(lettura& l, std::string_view) {
  return l.nel_slot(campi_vetture, slot::dimensioni);
}

esito_riga posa::velocita(lettura& l, std::string_view) {
  const riga_valore riga = l.leggi_riga(campi_velocita);
  const luogo campo_v = ultimo_campo(l.r);
  const int32_t v = riga.valore;
  return l.porta(l.velocita, riga, [&] {
    if (l.st.reperti != nullptr && v % 5 != 0) {
      const double q = arrotonda(v / 5.0);
      if (q >= 0 && q <= 255) {
        avvisa(l.st, reperto_id::velocita_arrotondata, campo_v, v,
               static_cast<int64_t>(q) * 5);
      }
    }
  });
}

esito_riga posa::aderenza(lettura& l, std::string_view) {
  const riga_valore riga = l.leggi_riga(campi_aderenza);
  const esito_riga e = l.porta(l.aderenza, riga);
  if (e != esito_riga::avanti) return e;
  const int32_t a = riga.valore;
  if (l.st.reperti != nullptr && basso_8(a) != a) {
    avvisa(l.st, reperto_id::valore_troncato, ultimo_campo(l.r), a, basso_8(a));
  }
  return esito_riga::avanti;
}

esito_riga posa::orologio(lettura& l, std::string_view) {
  return l.nel_slot(campi_orologio, slot::treno);
}

esito_riga posa::sabbia(lettura& l, std::string_view) {
  return l.nel_slot(campi_sabbia, slot::treno);
}

esito_riga posa::segnale(lettura& l, std::string_view) {
  const riga_segnale riga = l.leggi_riga(campi_segnale);
  if (oltre_il_percorso(l.st, riga.posizione, margine_riga))
    return esito_riga::esci_corpo;
  memo_segnale(l.st, riga);
  return l.dopo_encoder(riga.posizione);
}

esito_riga posa::rallentamento(lettura& l, std::string_view) {
  const riga_rallentamento riga = l.leggi_riga(campi_rallentamento);
  if (oltre_il_percorso(l.st, riga.x, margine_riga)) return esito_riga::esci_corpo;
  memo_rallentamento(l.st, riga);
  return l.dopo_encoder(riga.x);
}

esito_riga posa::abbattimento(lettura& l, std::string_view) {
  scenario_state& st = l.st;
  const riga_abbattimento riga = l.leggi_riga(campi_abbattimento);
  const int32_t p = riga.posizione;
  if (oltre_il_percorso(st, p, margine_riga)) return esito_riga::esci_corpo;
  const int64_t k = indice_cella(p / 50.0);
  cella& c = cella_del_percorso(st, k);
  if (!libera(c)) return l.cella_presa(reperto_id::abbattimento_occupato, k, p);
  if (riga.valore > 0) {
    c.codice = codice_cella::abbattimento;
    c.dato_a = in_16_bit(st, riga.valore);
  } else {
    c.codice = codice_cella::abbattimento_nullo;
  }
  segna_origine(st, k);
  return esito_riga::avanti;
}

esito_riga posa::stazione(lettura& l, std::string_view) {
  scenario_state& st = l.st;
  field_reader& r = l.r;
  // With 80 signs even slot 1 is taken.
  if (l.stazione > l.consegna.slot_cartello) {
    return l.abbandona(nuovo_reperto(reperto_id::stazioni_esaurite, st.riga_in_lettura));
  }
  const int32_t i = l.stazione;
  elemento& e = st.elementi[static_cast<size_t>(i)];
  riga_stazione riga;
  // The fields are read in stages, each checked before the next is read;
  // what goes into the slot is there as soon as it is read.
  constexpr size_t tipo = indice_campo(campi_stazione, "tipo");
  constexpr size_t opzione_1 = indice_campo(campi_stazione, "opzione_1");
  constexpr size_t minuti = indice_campo(campi_stazione, "minuti");
  constexpr size_t nome = indice_campo(campi_stazione, "nome");

  l.leggi_campi(campi_stazione, riga, &e, 0, tipo);
  const int32_t posizione = e.progressiva;
  if (oltre_il_percorso(st, posizione, margine_stazione)) return esito_riga::esci_corpo;
  const auto alla_stazione = [&](reperto_id id, luogo dove) {
    reperto rep = l.al_campo(id);
    rep.dove = dove;
    rep.ha_posizione = true;
    rep.posizione = posizione;
    return rep;
  };
  if (posizione % 50 != 0) {
    return l.abbandona(
        alla_stazione(reperto_id::stazione_non_multipla, st.campo_posizione), posizione);
  }
  l.leggi_campi(campi_stazione, riga, &e, tipo, opzione_1);
  if (e.tipo == 0 || e.tipo > 30) {
    l.insensato(motivo::tipo_stazione, e.tipo, tipo, st.riga_in_lettura);
  }
  const int32_t L = riga.lunghezza;
  const luogo campo_lunghezza = ultimo_campo(r);
  if (L % 100 != 0) {
    reperto rep = alla_stazione(reperto_id::lunghezza_stazione, campo_lunghezza);
    rep.valore = L;
    return l.abbandona(rep, posizione);
  }
  l.leggi_campi(campi_stazione, riga, &e, opzione_1, minuti);  // up to the hours
  const uint8_t opzione_4_letta = e.opzione_4;
  const size_t inizio_ore = r.inizio_campo;
  l.leggi_campi(campi_stazione, riga, &e, minuti, nome);
  const luogo campi_orario = luogo_in(r, inizio_ore, r.fine_campo);
  e.orario = intero_32(
      st,
      intero_32(
          st,
          intero_32(st, int64_t{riga.ore} * 60 + riga.minuti, campi_orario) * int64_t{60},
          campi_orario) +
          riga.secondi,
      campi_orario);
  l.leggi_campi(campi_stazione, riga, &e, nome);
  if (riga.nome.empty()) l.insensato(motivo::nome_vuoto, 0, nome);
  e.nome.assign(riga.nome);

  // The station area, by kind.
  const int64_t p = posizione;
  if (e.tipo == 5 || e.tipo == 6) {
    e.fine = intero_32(st, p + 150);
    e.inizio = intero_32(st, p - L, campo_lunghezza);
    e.opzione_4 = 0;
  } else if (e.tipo == 7 || e.tipo == 8) {
    e.inizio = intero_32(st, p - L, campo_lunghezza);
    e.fine = intero_32(st, p + L, campo_lunghezza);
    e.opzione_4 = 0;
  } else {
    e.inizio = arrotonda_32(st, p - L / 2.0, campo_lunghezza);
    e.fine = intero_32(st,
                       int64_t{arrotonda_32(st, p + L / 2.0, campo_lunghezza)} +
                           (e.opzione_4 != 0 ? 50 : 0),
                       campo_lunghezza);
  }
  if (st.reperti != nullptr) {
    // The flags as read, before the build clears any.
    const bool area_fissa = e.tipo >= 5 && e.tipo <= 8;
    if (e.opzione_4 != 0 && (i == 1 || area_fissa))
      avvisa(st, reperto_id::opzione_azzerata, {}, opzione_4_letta, 4);
    if (e.opzione_5 != 0 && (i == 1 || L < 600))
      avvisa(st, reperto_id::opzione_azzerata, {}, e.opzione_5, 5);
  }
  if (L < 600) e.opzione_5 = 0;
  if (i == 1) {
    e.opzione_4 = 0;
    e.opzione_5 = 0;
  }

  // Approach marks and the stop point, for kinds below 25.
  if (e.tipo < 25) {
    const double q = e.fine / 50.0 - 1;
    if (!(q > 1)) {
      return l.abbandona(alla_stazione(reperto_id::fermata_iniziale, st.campo_posizione));
    }
    const int64_t fermata = indice_cella(q);
    cella_del_percorso(st, fermata);  // the marks lie below it
    if (e.tipo != 5 && e.tipo != 6) {
      for (int j = 1; j <= 4; ++j) {
        const double qj = e.fine / 50.0 - j - 1;
        if (qj > 1) {
          const int64_t k = indice_cella(qj);
          cella_del_percorso(st, k).preavviso = basso_8(80 + j);
          segna_campo(st, k, &provenienza_cella::preavviso, st.riga_in_lettura);
        }
      }
    }
    cella& c = cella_del_percorso(st, fermata);
    if (!libera(c) && st.reperti != nullptr) {
      reperto rep = l.al_campo(reperto_id::sovrascritto);
      rep.dove = st.riga_in_lettura;
      rep.cella = static_cast<int32_t>(fermata);
      rep.valore = c.codice;
      rep.origine = origine_di(st, fermata);
      segnala(st, rep);
    }
    c.codice = codice_cella::fermata;
    segna_origine(st, fermata);
    c.dato_a = basso_16(i);
  }

  if (i > 1 && int64_t{e.inizio} - distanza_stazioni < st.elementi[i - 1].fine) {
    // A station behind the previous one is out of order, not too close.
    const bool indietro = posizione < st.elementi[i - 1].progressiva;
    reperto rep = alla_stazione(
        indietro ? reperto_id::stazioni_fuori_ordine : reperto_id::stazioni_vicine,
        st.campo_posizione);
    rep.valore = e.inizio;
    rep.limite = st.elementi[i - 1].fine;
    rep.origine = l.riga_stazione_precedente;
    return l.abbandona(rep, posizione);
  }
  l.riga_stazione_precedente = st.riga_in_lettura;
  ++l.stazione;
  if (l.stazione >= l.consegna.slot_cartello) {
    return l.abbandona(nuovo_reperto(reperto_id::stazioni_esaurite, st.riga_in_lettura));
  }
  return esito_riga::avanti;
}

void leggi_treno(scenario_state& st, const sorgenti_lettura& s, consegna_linea& c) {
  const documento_sorgente& d = s.treno;
  if (d.stato != stato_documento::presente) {  // missing or unreadable
    throw reading_failure{
        nuovo_reperto(reperto_id::treno_mancante, {documento::treno, 0, 0})};
  }
  lettura l{st, field_reader{d.testo, 0, documento::treno}, s, c};
  controlla_formato(st, d.testo, documento::treno);

  // Everything up to the first "[generale]" token is ignored; without one
  // nothing is read.
  bool generale = false;
  while (!at_end(l.r)) {
    if (contiene_nc(l.token(), "[generale]")) {
      generale = true;
      break;
    }
  }

  for (;;) {
    std::string_view t;
    if (!l.prossimo_token(t)) break;
    const esito_riga e = l.riga(t, sezione_riga::treno);
    if (e == esito_riga::termina) return;
    if (e == esito_riga::esci_corpo) {
      l.segnala_interruzione();
      break;
    }
    l.dopo_riga(t, sezione_riga::treno);
  }
  l.consuma();
  const auto non_testo = [&] {
    const std::optional<codifica_trovata> c = codifica_estranea(d.testo);
    return c && (c->perche == motivo::utf16 || c->perche == motivo::byte_nullo);
  };
  // (UTF-16 and NUL bytes are told as such, once.)
  if (st.reperti != nullptr && l.righe_applicate == 0 && !non_testo()) {
    // Nothing was read: the scenario would have no station, signal or speed.
    const motivo m = d.testo.find_first_not_of(" \t\r\n") == std::string_view::npos
                         ? motivo::vuoto
                     : !generale ? motivo::senza_generale
                                 : motivo::niente_dopo;
    reperto rep = nuovo_reperto(reperto_id::treno_vuoto, {documento::treno, 0, 0});
    rep.limite = static_cast<int64_t>(m);
    segnala(st, rep);
  }

  // The last speed and adhesion run on up to cell numero_celle - 3.
  const int64_t fino = int64_t{st.numero_celle} - 2;
  l.porta_fino_a(l.velocita, fino);
  l.porta_fino_a(l.aderenza, fino);

  for (int sl : {slot::progressiva_tre, slot::progressiva_due, slot::progressiva_uno}) {
    const elemento& e = st.elementi[static_cast<size_t>(sl)];
    if (e.inizio % 50 != 0 || e.fine % 50 != 0) {
      reperto rep = nuovo_reperto(reperto_id::progressiva_non_multipla);
      rep.valore = e.inizio % 50 != 0 ? e.inizio : e.fine;
      for (const consegna_linea::progressiva_letta& p : c.progressive) {
        if (p.riga.esiste() && p.inizio == e.inizio) rep.dove = p.riga;
      }
      segnala(st, rep);
    }
  }
}
