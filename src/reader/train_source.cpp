// The train half of the reader: the train source's rows (sizes, speeds,
// adhesion, clock, sand, signals, slowdowns, code points, stations), the
// fills after the body and the check of the kilometric progressives.
#include <cstdint>
#include <string>
#include <string_view>

#include "scenario/codici.h"
#include "reader/encoders.h"
#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/reading.h"
#include "reader/row_kinds.h"
#include "reader/warnings.h"
#include "reader/track_cells.h"
#include "base/rounding.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

constexpr int32_t margine_riga = 100;       // metres a row needs before the end
constexpr int32_t margine_stazione = 800;   // metres a station needs
constexpr int32_t distanza_stazioni = 350;  // metres between two station areas

struct lettura_treno : lettura {
  int32_t slot_cartello;
  int32_t stazione = 1;  // the slot of the next station
  int64_t cursore_velocita = 0;
  int64_t cursore_aderenza = 0;
  int32_t velocita_precedente = 0;
  int32_t aderenza_precedente = 0;
  luogo campo_velocita{};  // the field the previous speed came from
  luogo riga_velocita{};   // and its row
  luogo riga_aderenza{};   // the row of the previous adhesion
  luogo riga_stazione_precedente{};
};

// A speed in km/h as stored in a cell: units of 5 km/h, one byte. A speed
// that does not fit is reported at the row it came from.
uint8_t velocita_cella(lettura_treno& l, int32_t v) {
  const double q = arrotonda(v / 5.0);
  if (q < 0 || q > 255) {
    reading_failure f{l.al_campo(reperto_id::valore_troppo_grande)};
    f.r.dove = l.campo_velocita;
    f.r.valore = 0;
    f.r.limite = 255 * 5;
    throw f;
  }
  return static_cast<uint8_t>(q);
}

esito_riga velocita(lettura_treno& l) {
  const int32_t p = read_whole<int32_t>(l.r);
  l.segna_posizione();
  const int32_t v = read_whole<int32_t>(l.r);
  const luogo campo_v = ultimo_campo(l.r);
  if (oltre_il_percorso(l.st, p, margine_riga)) return esito_riga::esci_corpo;
  const int64_t n = indice_cella(p / 50.0);
  if (n > 0 && n <= l.cursore_velocita) {
    avvisa(l.st, reperto_id::fuori_ordine, l.st.campo_posizione, p);
  }
  if (l.st.reperti != nullptr && v % 5 != 0) {
    const double q = arrotonda(v / 5.0);
    if (q >= 0 && q <= 255) {
      avvisa(l.st, reperto_id::velocita_arrotondata, campo_v, v, static_cast<int64_t>(q) * 5);
    }
  }
  if (n > 0) {
    riempi(l.st, l.cursore_velocita, n, true, &provenienza_cella::velocita, l.riga_velocita,
           [&](cella& c) {
      c.velocita = velocita_cella(l, l.velocita_precedente);
    });
  }
  l.velocita_precedente = v;
  l.campo_velocita = campo_v;
  l.riga_velocita = l.st.riga_in_lettura;
  return esito_riga::avanti;
}

esito_riga aderenza(lettura_treno& l) {
  const int32_t p = read_whole<int32_t>(l.r);
  l.segna_posizione();
  const int32_t a = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, p, margine_riga)) return esito_riga::esci_corpo;
  const int64_t n = indice_cella(p / 50.0);
  // At least one cell, even when the cursor is already at or past n; rows
  // out of order that push it past the last cell end the reading.
  const uint8_t valore = basso_8(l.aderenza_precedente);
  if (n > 0 && n <= l.cursore_aderenza) {
    avvisa(l.st, reperto_id::fuori_ordine, l.st.campo_posizione, p);
  }
  if (n > 0) {
    riempi(l.st, l.cursore_aderenza, n, false, &provenienza_cella::aderenza, l.riga_aderenza,
           [=](cella& c) { c.aderenza = valore; });
  }
  l.aderenza_precedente = a;
  l.riga_aderenza = l.st.riga_in_lettura;
  if (l.st.reperti != nullptr && basso_8(a) != a) {
    avvisa(l.st, reperto_id::valore_troncato, ultimo_campo(l.r), a, basso_8(a));
  }
  return esito_riga::avanti;
}

esito_riga segnale(lettura_treno& l) {
  const riga_segnale riga = l.leggi_riga(campi_segnale);
  if (oltre_il_percorso(l.st, riga.posizione, margine_riga)) return esito_riga::esci_corpo;
  memo_segnale(l.st, riga);
  return l.dopo_encoder(riga.posizione);
}

esito_riga rallentamento(lettura_treno& l) {
  const riga_rallentamento riga = l.leggi_riga(campi_rallentamento);
  if (oltre_il_percorso(l.st, riga.x, margine_riga)) return esito_riga::esci_corpo;
  memo_rallentamento(l.st, riga);
  return l.dopo_encoder(riga.x);
}

esito_riga abbattimento(lettura_treno& l) {
  scenario_state& st = l.st;
  const int32_t p = read_whole<int32_t>(l.r);
  l.segna_posizione();
  const int32_t valore = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(st, p, margine_riga)) return esito_riga::esci_corpo;
  const int64_t k = indice_cella(p / 50.0);
  cella& c = cella_del_percorso(st, k);
  if (!libera(c)) {
    st.posizione_errore = p;
    reperto rep = l.al_campo(reperto_id::abbattimento_occupato);
    rep.dove = st.campo_posizione;
    rep.cella = static_cast<int32_t>(k);
    rep.ha_posizione = true;
    rep.posizione = p;
    rep.origine = origine_di(st, k);
    return l.abbandona(rep);
  }
  if (valore > 0) {
    c.codice = codice_cella::abbattimento;
    c.dato_a = in_16_bit(st, valore);
  } else {
    c.codice = codice_cella::abbattimento_nullo;
  }
  segna_origine(st, k);
  return esito_riga::avanti;
}

esito_riga stazione(lettura_treno& l) {
  scenario_state& st = l.st;
  field_reader& r = l.r;
  // With 80 signs even slot 1 is taken.
  if (l.stazione > l.slot_cartello) {
    return l.abbandona(nuovo_reperto(reperto_id::stazioni_esaurite, st.riga_in_lettura));
  }
  const int32_t i = l.stazione;
  elemento& e = st.elementi[static_cast<size_t>(i)];

  e.progressiva = read_whole<int32_t>(r);
  l.segna_posizione();
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
    st.posizione_errore = posizione;
    return l.abbandona(alla_stazione(reperto_id::stazione_non_multipla, st.campo_posizione));
  }
  e.tipo = read_whole<uint8_t>(r);
  const int32_t L = read_whole<int32_t>(r);
  const luogo campo_lunghezza = ultimo_campo(r);
  if (L % 100 != 0) {
    st.posizione_errore = posizione;
    reperto rep = alla_stazione(reperto_id::lunghezza_stazione, campo_lunghezza);
    rep.valore = L;
    return l.abbandona(rep);
  }
  // The fields come in this order, not in the record's.
  e.opzione_1 = read_whole<uint8_t>(r);
  e.opzione_5 = read_whole<uint8_t>(r);
  e.opzione_4 = read_whole<uint8_t>(r);
  const uint8_t opzione_4_letta = e.opzione_4;
  e.valore_1 = read_whole<int16_t>(r);
  e.valore_2 = read_whole<int16_t>(r);
  e.opzione_2 = read_whole<uint8_t>(r);
  e.valore_3 = read_whole<int16_t>(r);
  e.valore_4 = read_whole<int16_t>(r);
  e.valore_5 = read_whole<int16_t>(r);
  e.opzione_3 = read_whole<uint8_t>(r);
  const int64_t ore = read_whole<int32_t>(r);
  const size_t inizio_ore = r.inizio_campo;
  const int64_t minuti = read_whole<int32_t>(r);
  const int64_t secondi = read_whole<int32_t>(r);
  const luogo campi_orario = luogo_in(r, inizio_ore, r.fine_campo);
  e.orario = intero_32(st,
                       intero_32(st, intero_32(st, ore * 60 + minuti, campi_orario) * int64_t{60},
                                 campi_orario) +
                           secondi,
                       campi_orario);
  e.nome.assign(leggi_nome(l));

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
    st.posizione_errore = posizione;
    reperto rep = alla_stazione(reperto_id::stazioni_vicine, st.campo_posizione);
    rep.valore = e.inizio;
    rep.limite = st.elementi[i - 1].fine;
    rep.origine = l.riga_stazione_precedente;
    return l.abbandona(rep);
  }
  l.riga_stazione_precedente = st.riga_in_lettura;
  ++l.stazione;
  if (l.stazione >= l.slot_cartello) {
    return l.abbandona(nuovo_reperto(reperto_id::stazioni_esaurite, st.riga_in_lettura));
  }
  return esito_riga::avanti;
}

// Applies the rows to one token, in order; each row that matches reads its
// own fields.
esito_riga righe(lettura_treno& l, std::string_view t) {
  auto& el = l.st.elementi;
  if (corrisponde(t, riga_id::massa)) {
    el[slot::dimensioni].inizio = read_whole<int32_t>(l.r);
  }
  if (corrisponde(t, riga_id::vetture))
    el[slot::dimensioni].progressiva = read_whole<int32_t>(l.r);
  if (corrisponde(t, riga_id::velocita)) {
    if (const esito_riga e = velocita(l); e != esito_riga::avanti) return e;
  }
  if (corrisponde(t, riga_id::aderenza)) {
    if (const esito_riga e = aderenza(l); e != esito_riga::avanti) return e;
  }
  if (corrisponde(t, riga_id::orologio)) {
    el[slot::treno].valore_3 = read_whole<int16_t>(l.r);
    el[slot::treno].valore_4 = read_whole<int16_t>(l.r);
    el[slot::treno].valore_5 = read_whole<int16_t>(l.r);
  }
  if (corrisponde(t, riga_id::sabbia)) el[slot::treno].valore_1 = read_whole<int16_t>(l.r);
  if (corrisponde(t, riga_id::segnale)) {
    if (const esito_riga e = segnale(l); e != esito_riga::avanti) return e;
  }
  if (corrisponde(t, riga_id::rallentamento)) {
    if (const esito_riga e = rallentamento(l); e != esito_riga::avanti) return e;
  }
  if (corrisponde(t, riga_id::abbattimento)) {
    if (const esito_riga e = abbattimento(l); e != esito_riga::avanti) return e;
  }
  if (corrisponde(t, riga_id::stazione)) return stazione(l);
  return esito_riga::avanti;
}

}  // namespace

void leggi_treno(scenario_state& st, const sorgenti_lettura& s, const consegna_linea& c) {
  const documento_sorgente& d = s.treno;
  if (d.stato != stato_documento::presente) {  // missing or unreadable
    throw reading_failure{nuovo_reperto(reperto_id::treno_mancante, {documento::treno, 0, 0})};
  }
  lettura_treno l{{st, field_reader{d.testo, 0, documento::treno}, s}, c.slot_cartello};
  controlla_formato(st, d.testo, documento::treno);

  // Everything up to the first "[generale]" token is ignored; without one
  // nothing is read.
  while (!at_end(l.r)) {
    if (contiene_nc(l.token(), "[generale]")) break;
  }

  for (;;) {
    std::string_view t;
    if (!l.prossimo_token(t)) break;
    const esito_riga e = righe(l, t);
    if (e == esito_riga::termina) return;
    if (e == esito_riga::esci_corpo) {
      l.segnala_interruzione();
      break;
    }
    l.dopo_riga(t, sezione_riga::treno);
  }
  l.consuma();

  // The last speed and adhesion run on up to cell numero_celle - 3.
  const int64_t fino = int64_t{st.numero_celle} - 2;
  const uint8_t velocita_finale = velocita_cella(l, l.velocita_precedente);
  riempi(st, l.cursore_velocita, fino, false, &provenienza_cella::velocita, l.riga_velocita,
         [=](cella& c) { c.velocita = velocita_finale; });
  const uint8_t aderenza_finale = basso_8(l.aderenza_precedente);
  riempi(st, l.cursore_aderenza, fino, false, &provenienza_cella::aderenza, l.riga_aderenza,
         [=](cella& c) { c.aderenza = aderenza_finale; });

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
