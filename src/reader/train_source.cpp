// The train half of the reader: the train source's rows (sizes, speeds,
// adhesion, clock, sand, signals, slowdowns, code points, stations), the
// fills after the body and the check of the kilometric progressives.
#include <cstdint>
#include <string>
#include <string_view>

#include "reader/codici.h"
#include "reader/encoders.h"
#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/reading.h"
#include "reader/track_cells.h"
#include "base/file_io.h"
#include "scenario/naming.h"
#include "base/rounding.h"
#include "scenario/scenario_state.h"

namespace {

constexpr int32_t margine_riga = 100;       // metres a row needs before the end
constexpr int32_t margine_stazione = 800;   // metres a station needs
constexpr int32_t distanza_stazioni = 350;  // metres between two station areas

enum class esito_riga { avanti, esci_corpo, termina };

struct lettura_treno {
  scenario_state& st;
  field_reader r;
  const std::string& path;
  int32_t slot_cartello;
  int32_t stazione = 1;  // the slot of the next station
  int64_t cursore_velocita = 0;
  int64_t cursore_aderenza = 0;
  int32_t velocita_precedente = 0;
  int32_t aderenza_precedente = 0;

  esito_riga abbandona(int32_t codice) {
    elimina_sorgente(path);
    st.codice_errore = codice;
    return esito_riga::termina;
  }
};

// A speed in km/h as stored in a cell: units of 5 km/h, one byte.
uint8_t velocita_cella(int32_t v) {
  const double q = arrotonda(v / 5.0);
  if (q < 0 || q > 255) throw reading_failure{};
  return static_cast<uint8_t>(q);
}

esito_riga velocita(lettura_treno& l) {
  const int32_t p = read_whole<int32_t>(l.r);
  const int32_t v = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, p, margine_riga)) return esito_riga::esci_corpo;
  const int64_t n = indice_cella(p / 50.0);
  if (n > 0) {
    do {
      if (l.cursore_velocita >= l.st.numero_celle) break;
      cella_del_percorso(l.st, l.cursore_velocita).velocita =
          velocita_cella(l.velocita_precedente);
      ++l.cursore_velocita;
    } while (l.cursore_velocita < n);
  }
  l.velocita_precedente = v;
  return esito_riga::avanti;
}

esito_riga aderenza(lettura_treno& l) {
  const int32_t p = read_whole<int32_t>(l.r);
  const int32_t a = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, p, margine_riga)) return esito_riga::esci_corpo;
  const int64_t n = indice_cella(p / 50.0);
  if (n > 0) {
    // At least one cell, even when the cursor is already at or past n; rows
    // out of order that push it past the last cell end the reading.
    do {
      cella_del_percorso(l.st, l.cursore_aderenza).aderenza =
          basso_8(l.aderenza_precedente);
      ++l.cursore_aderenza;
    } while (l.cursore_aderenza < n);
  }
  l.aderenza_precedente = a;
  return esito_riga::avanti;
}

// After an encoder: 25 is the failure exit, any other positive code (an
// earlier 15 included) ends the reading at this row.
esito_riga dopo_encoder(lettura_treno& l, int32_t posizione) {
  if (l.st.codice_errore == codice::errore_lettura) throw reading_failure{};
  if (l.st.codice_errore > 0) {
    l.st.posizione_errore = posizione;
    return l.abbandona(l.st.codice_errore);
  }
  return esito_riga::avanti;
}

esito_riga segnale(lettura_treno& l) {
  int32_t v[11];
  for (int32_t& campo : v) campo = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, v[0], margine_riga)) return esito_riga::esci_corpo;
  memo_segnale(l.st, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
  return dopo_encoder(l, v[0]);
}

esito_riga rallentamento(lettura_treno& l) {
  int32_t v[6];
  for (int32_t& campo : v) campo = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, v[0], margine_riga)) return esito_riga::esci_corpo;
  memo_rallentamento(l.st, v[0], v[1], v[2], v[3], v[4], v[5]);
  return dopo_encoder(l, v[0]);
}

esito_riga abbattimento(lettura_treno& l) {
  const int32_t p = read_whole<int32_t>(l.r);
  const int32_t valore = read_whole<int32_t>(l.r);
  if (oltre_il_percorso(l.st, p, margine_riga)) return esito_riga::esci_corpo;
  cella& c = cella_del_percorso(l.st, indice_cella(p / 50.0));
  if (!libera(c)) {
    l.st.posizione_errore = p;
    return l.abbandona(codice::abbattimento_occupato);
  }
  if (valore > 0) {
    c.codice = codice_cella::abbattimento;
    c.dato_a = basso_16(valore);
  } else {
    c.codice = codice_cella::abbattimento_nullo;
  }
  return esito_riga::avanti;
}

esito_riga stazione(lettura_treno& l) {
  scenario_state& st = l.st;
  field_reader& r = l.r;
  // With 80 signs even slot 1 is taken.
  if (l.stazione > l.slot_cartello) return l.abbandona(codice::stazioni_esaurite);
  const int32_t i = l.stazione;
  elemento& e = st.elementi[static_cast<size_t>(i)];

  e.progressiva = read_whole<int32_t>(r);
  const int32_t posizione = e.progressiva;
  if (oltre_il_percorso(st, posizione, margine_stazione)) return esito_riga::esci_corpo;
  if (posizione % 50 != 0) {
    st.posizione_errore = posizione;
    return l.abbandona(codice::stazione_non_multipla);
  }
  e.tipo = read_whole<uint8_t>(r);
  const int32_t L = read_whole<int32_t>(r);
  if (L % 100 != 0) {
    st.posizione_errore = posizione;
    return l.abbandona(codice::lunghezza_stazione);
  }
  // The fields come in this order, not in the record's.
  e.opzione_1 = read_whole<uint8_t>(r);
  e.opzione_5 = read_whole<uint8_t>(r);
  e.opzione_4 = read_whole<uint8_t>(r);
  e.valore_1 = read_whole<int16_t>(r);
  e.valore_2 = read_whole<int16_t>(r);
  e.opzione_2 = read_whole<uint8_t>(r);
  e.valore_3 = read_whole<int16_t>(r);
  e.valore_4 = read_whole<int16_t>(r);
  e.valore_5 = read_whole<int16_t>(r);
  e.opzione_3 = read_whole<uint8_t>(r);
  const int64_t ore = read_whole<int32_t>(r);
  const int64_t minuti = read_whole<int32_t>(r);
  const int64_t secondi = read_whole<int32_t>(r);
  e.orario = intero_32(intero_32(intero_32(ore * 60 + minuti) * int64_t{60}) + secondi);
  e.nome.assign(leggi_nome(r));

  // The station area, by kind.
  const int64_t p = posizione;
  if (e.tipo == 5 || e.tipo == 6) {
    e.fine = intero_32(p + 150);
    e.inizio = intero_32(p - L);
    e.opzione_4 = 0;
  } else if (e.tipo == 7 || e.tipo == 8) {
    e.inizio = intero_32(p - L);
    e.fine = intero_32(p + L);
    e.opzione_4 = 0;
  } else {
    e.inizio = arrotonda_32(p - L / 2.0);
    e.fine = intero_32(int64_t{arrotonda_32(p + L / 2.0)} + (e.opzione_4 != 0 ? 50 : 0));
  }
  if (L < 600) e.opzione_5 = 0;
  if (i == 1) {
    e.opzione_4 = 0;
    e.opzione_5 = 0;
  }

  // Approach marks and the stop point, for kinds below 25.
  if (e.tipo < 25) {
    const double q = e.fine / 50.0 - 1;
    if (!(q > 1)) return l.abbandona(codice::fermata_iniziale);
    const int64_t fermata = indice_cella(q);
    cella_del_percorso(st, fermata);  // the marks lie below it
    if (e.tipo != 5 && e.tipo != 6) {
      for (int j = 1; j <= 4; ++j) {
        const double qj = e.fine / 50.0 - j - 1;
        if (qj > 1) cella_del_percorso(st, indice_cella(qj)).preavviso = basso_8(80 + j);
      }
    }
    cella& c = cella_del_percorso(st, fermata);
    c.codice = codice_cella::fermata;
    c.dato_a = basso_16(i);
  }

  if (i > 1 && int64_t{e.inizio} - distanza_stazioni < st.elementi[i - 1].fine) {
    st.posizione_errore = posizione;
    return l.abbandona(codice::stazioni_vicine);
  }
  ++l.stazione;
  if (l.stazione >= l.slot_cartello) return l.abbandona(codice::stazioni_esaurite);
  return esito_riga::avanti;
}

// Applies the rows to one token, in order; each row that matches reads its
// own fields.
esito_riga righe(lettura_treno& l, std::string_view t) {
  auto& el = l.st.elementi;
  if (contiene_nc(t, "frenata") && contiene_nc(t, "massa")) {
    el[slot::dimensioni].inizio = read_whole<int32_t>(l.r);
  }
  if (contiene_nc(t, "vetture"))
    el[slot::dimensioni].progressiva = read_whole<int32_t>(l.r);
  if (contiene_nc(t, "velocit")) {
    if (const esito_riga e = velocita(l); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "aderenza")) {
    if (const esito_riga e = aderenza(l); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "orologio")) {
    el[slot::treno].valore_3 = read_whole<int16_t>(l.r);
    el[slot::treno].valore_4 = read_whole<int16_t>(l.r);
    el[slot::treno].valore_5 = read_whole<int16_t>(l.r);
  }
  if (contiene_nc(t, "sabbia")) el[slot::treno].valore_1 = read_whole<int16_t>(l.r);
  if (contiene_nc(t, "segnale")) {
    if (const esito_riga e = segnale(l); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "rallentamento")) {
    if (const esito_riga e = rallentamento(l); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "abbattimento")) {
    if (const esito_riga e = abbattimento(l); e != esito_riga::avanti) return e;
  }
  if (contiene_nc(t, "stazione")) return stazione(l);
  return esito_riga::avanti;
}

}  // namespace

void leggi_treno(scenario_state& st, int32_t slot_cartello) {
  const std::string path = file_path(st, file_kind::train_source);
  std::string testo;
  if (!read_file(path, testo).ok()) throw reading_failure{};  // missing included
  lettura_treno l{st, field_reader{testo}, path, slot_cartello};

  // Everything up to the first "[generale]" token is ignored; without one
  // nothing is read.
  while (!at_end(l.r)) {
    if (contiene_nc(leggi_token(st, l.r), "[generale]")) break;
  }

  for (;;) {
    std::string_view t;
    if (!prossimo_token(st, l.r, t)) break;
    const esito_riga e = righe(l, t);
    if (e == esito_riga::termina) return;
    if (e == esito_riga::esci_corpo) break;
  }
  elimina_sorgente(path);

  // The last speed and adhesion run on up to cell numero_celle - 3.
  do {
    cella_del_percorso(st, l.cursore_velocita).velocita =
        velocita_cella(l.velocita_precedente);
    ++l.cursore_velocita;
  } while (l.cursore_velocita < int64_t{st.numero_celle} - 2);
  do {
    cella_del_percorso(st, l.cursore_aderenza).aderenza = basso_8(l.aderenza_precedente);
    ++l.cursore_aderenza;
  } while (l.cursore_aderenza < int64_t{st.numero_celle} - 2);

  for (int s : {slot::progressiva_tre, slot::progressiva_due, slot::progressiva_uno}) {
    const elemento& e = st.elementi[static_cast<size_t>(s)];
    if (e.inizio % 50 != 0 || e.fine % 50 != 0)
      st.codice_errore = codice::progressiva_non_multipla;
  }
}
