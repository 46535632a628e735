#include "reader/reading.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "base/rounding.h"
#include "reader/keywords.h"
#include "reader/row_kinds.h"
#include "reader/track_cells.h"
#include "reader/warnings.h"
#include "scenario/codici.h"
#include "scenario/reporting.h"

namespace {

// A speed in km/h as stored in a cell: units of 5 km/h, one byte. A speed
// that does not fit is reported at the field it came from.
// The value is laid only when the fill reaches past its row: when the next
// row of its kind is read, or at the end of the document for the last one.
// The finding is the row's; its note says where it was laid. A reading that
// recovers reports it and lays 0.
uint8_t velocita_cella(lettura& l, valore_portato& v) {
  const double q = arrotonda(v.precedente / 5.0);
  if (q < 0 || q > 255) {
    reading_failure f{l.al_campo(reperto_id::valore_troppo_grande)};
    f.r.dove = v.campo;
    f.r.riga = v.riga;
    f.r.origine = at_end(l.r) ? luogo_in(l.r, l.r.testo.size(), l.r.testo.size())
                              : l.st.riga_in_lettura;
    f.r.valore = 0;
    f.r.limite = 255 * 5;
    if (l.st.recupero) {
      segnala(l.st, f.r);
      v.precedente = 0;  // set aside: the rest of its stretch says nothing new
      return 0;
    }
    throw f;
  }
  return static_cast<uint8_t>(q);
}

bool a_inizio_riga(const field_reader& r) {
  return r.pos == 0 || r.pos >= r.testo.size() || r.testo[r.pos - 1] == '\n' ||
         r.testo[r.pos - 1] == '\r';
}

// The first byte of the line holding byte `i`.
size_t inizio_della_riga(std::string_view testo, size_t i) {
  const size_t a = testo.find_last_of("\r\n", i == 0 ? 0 : i - 1);
  return i == 0 || a == std::string_view::npos ? 0 : a + 1;
}

// Whether a finding of this reading already is an error.
bool errore_segnalato(const scenario_state& st) {
  if (st.reperti == nullptr) return false;
  for (const reperto& r : *st.reperti) {
    if (descrivi(r.id).livello == severity::error) return true;
  }
  return false;
}

}  // namespace

lettura::lettura(scenario_state& stato, field_reader lettore, const sorgenti_lettura& s,
                 consegna_linea& c)
    : st(stato),
      r(lettore),
      sorgenti(s),
      consegna(c),
      pendenza{&cella::pendenza, &provenienza_cella::pendenza, false,
               [](lettura&, valore_portato& v) {
                 return basso_8(int64_t{v.precedente} + 100);
               }},
      velocita{&cella::velocita, &provenienza_cella::velocita, true, &velocita_cella},
      aderenza{&cella::aderenza, &provenienza_cella::aderenza, false,
               [](lettura&, valore_portato& v) { return basso_8(v.precedente); }} {}

std::string_view lettura::token() {
  std::string_view t = read_text(r);
  st.riga.assign(t);  // reuses the buffer's capacity
  st.riga_in_lettura = ultimo_campo(r);
  st.campo_posizione = {};
  return t;
}

bool lettura::prossimo_token(std::string_view& t) {
  if (at_end(r)) return false;
  t = token();
  if (at_end(r)) return false;
  for (int volte = 0; volte < 2 && contiene(t, "-"); ++volte) {
    // A word with a dash that begins a line is a row passed over unread.
    if (st.reperti != nullptr && campo_a_inizio_riga(r) &&
        std::any_of(t.begin(), t.end(),
                    [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
      avvisa(st, reperto_id::riga_col_trattino, st.riga_in_lettura);
    }
    t = token();
    if (at_end(r)) return false;
  }
  return true;
}

esito_riga lettura::applica_righe(std::string_view t, sezione_riga sezione) {
  for (const tipo_riga& tipo : tipi_riga) {
    if (tipo.sezione != sezione || !letta(tipo, st.salva_linea != 0)) continue;
    if (!corrisponde(t, tipo)) continue;
    tipo_corrente = &tipo;
    ++righe_applicate;
    if (const esito_riga e = tipo.posa(*this, t); e != esito_riga::avanti) return e;
  }
  return esito_riga::avanti;
}

esito_riga lettura::riga(std::string_view t, sezione_riga sezione) {
  if (!st.recupero) return applica_righe(t, sezione);
  esito_riga e = esito_riga::avanti;
  size_t riprendi = std::string_view::npos;
  try {
    e = applica_righe(t, sezione);
  } catch (reading_failure& f) {
    // What leaves nothing more to read ends this reading too; without a
    // track after an error, the rows that need one say nothing new.
    if (f.r.id == reperto_id::fine_documento) throw;
    if (f.r.id == reperto_id::senza_percorso && errore_segnalato(st))
      throw reading_failure{{}, true};
    if (f.r.id == reperto_id::senza_percorso) throw;
    if (!f.segnalato) {
      if (!f.r.riga.esiste()) f.r.riga = st.riga_in_lettura;
      segnala(st, f.r);
    }
    // A short row goes on at the line it took its last field from.
    if (f.r.id == reperto_id::riga_corta)
      riprendi = inizio_della_riga(r.testo, f.r.origine.inizio);
    e = esito_riga::termina;
  }
  if (e == esito_riga::avanti) return e;
  st.codice_errore = 0;  // each error is its own; this reading's status is not kept
  if (riprendi != std::string_view::npos) {
    r.pos = riprendi;
  } else if (!a_inizio_riga(r)) {
    while (!at_end(r) && r.testo[r.pos] != '\n' && r.testo[r.pos] != '\r') ++r.pos;
    if (!at_end(r) && r.testo[r.pos] == '\r') ++r.pos;
    if (!at_end(r) && r.testo[r.pos] == '\n') ++r.pos;
  }
  return esito_riga::avanti;
}

void lettura::riga_corta_se(reading_failure& f, size_t campo, size_t campi) const {
  if (f.r.id != reperto_id::non_numero && f.r.id != reperto_id::valore_troppo_grande)
    return;
  const luogo row = st.riga_in_lettura;
  if (tipo_corrente != nullptr) {
    f.r.tipo = static_cast<int16_t>(tipo_corrente - tipi_riga);
    f.r.campo = static_cast<int16_t>(campo);
  }
  if (!row.esiste() || f.r.dove.doc != row.doc || f.r.dove.inizio <= row.inizio) return;
  const std::string_view tra = r.testo.substr(row.inizio, f.r.dove.inizio - row.inizio);
  if (tra.find_first_of("\r\n") == std::string_view::npos) return;
  f.r.origine = f.r.dove;
  f.r.dove = row;
  f.r.riga = row;
  f.r.id = reperto_id::riga_corta;
  f.r.valore = static_cast<int64_t>(campo);
  f.r.limite = static_cast<int64_t>(campi);
}

void lettura::insensato(motivo m, int64_t valore, size_t campo, luogo dove) {
  if (st.reperti == nullptr) return;
  reperto rep = al_campo(reperto_id::valore_insensato);
  if (dove.esiste()) rep.dove = dove;
  rep.valore = valore;
  rep.limite = static_cast<int64_t>(m);
  if (tipo_corrente != nullptr)
    rep.tipo = static_cast<int16_t>(tipo_corrente - tipi_riga);
  rep.campo = static_cast<int16_t>(campo);
  segnala(st, rep);
}

void lettura::consuma() {
  if (sorgenti.consumato && !sorgenti.consumato(r.doc)) {
    reading_failure f;
    f.r.id = reperto_id::sorgente_non_eliminata;
    f.r.dove = luogo_in(r, 0, 0);
    throw f;
  }
}

esito_riga lettura::abbandona(reperto rep) {
  consuma();
  if (!rep.riga.esiste()) rep.riga = st.riga_in_lettura;
  segnala(st, rep);
  segnala_interruzione();
  return esito_riga::termina;
}

esito_riga lettura::abbandona(reperto rep, int32_t posizione) {
  // The status goes with its position before the document is done with, as
  // it always has.
  segna_stato(st, descrivi(rep.id).codice, posizione);
  return abbandona(rep);
}

esito_riga lettura::cella_presa(reperto_id id, int64_t k, int32_t posizione) {
  return abbandona(cella_occupata(st, id, k, posizione), posizione);
}

esito_riga lettura::dopo_encoder(int32_t posizione) {
  if (st.codice_errore == codice::errore_lettura) throw reading_failure{{}, true};
  if (st.codice_errore > 0) {
    segna_stato(st, st.codice_errore, posizione);  // the encoder's code, or an earlier 15
    consuma();
    segnala_interruzione();
    return esito_riga::termina;
  }
  return esito_riga::avanti;
}

void lettura::segnala_interruzione() {
  if (st.reperti == nullptr || st.recupero || at_end(r)) return;
  reperto nota;
  nota.id = reperto_id::lettura_interrotta;
  nota.dove = luogo_in(r, r.fine_campo, r.fine_campo);
  segnala(st, nota);
}

void lettura::segna_posizione() { st.campo_posizione = ultimo_campo(r); }

void lettura::dopo_riga(std::string_view t, int sezione) {
  if (st.reperti == nullptr) return;
  bool riconosciuta = false;
  for (const tipo_riga& tipo : tipi_riga) {
    if (tipo.sezione == sezione && corrisponde(t, tipo) &&
        letta(tipo, st.salva_linea != 0)) {
      riconosciuta = true;
    }
  }
  const luogo token = st.riga_in_lettura;
  const bool a_inizio = token.esiste() && [&] {
    size_t i = token.inizio;
    while (i > 0 && (r.testo[i - 1] == ' ' || r.testo[i - 1] == '\t')) --i;
    return i == 0 || r.testo[i - 1] == '\n' || r.testo[i - 1] == '\r';
  }();
  if (riconosciuta) {
    controlla_avanzi(st, r);
  } else if (a_inizio) {
    controlla_riga_ignorata(st, t, sezione, st.salva_linea != 0);
  }
}

void lettura::porta_fino_a(valore_portato& v, int64_t fino) {
  const uint8_t valore = v.in_byte(*this, v);
  do {
    cella_del_percorso(st, v.cursore).*v.in_cella = valore;
    segna_campo(st, v.cursore, v.fonte, v.riga);
    ++v.cursore;
  } while (v.cursore < fino);
}

reperto lettura::al_campo(reperto_id id) const {
  reperto rep;
  rep.id = id;
  rep.dove = ultimo_campo(r);
  rep.riga = st.riga_in_lettura;
  return rep;
}

std::string_view leggi_nome(lettura& l) {
  std::string_view nome = read_text(l.r);
  if (l.st.reperti != nullptr) {
    // Blanks before the comma or line end are not kept.
    size_t fine = l.r.fine_campo;
    while (fine < l.r.testo.size() && (l.r.testo[fine] == ' ' || l.r.testo[fine] == '\t'))
      ++fine;
    if (fine > l.r.fine_campo) {
      avvisa(l.st, reperto_id::spazi_finali, luogo_in(l.r, l.r.inizio_campo, fine));
    }
  }
  constexpr size_t massimo = std::numeric_limits<uint16_t>::max();
  if (nome.size() > massimo) {
    reading_failure f;
    f.r = l.al_campo(reperto_id::nome_troppo_lungo);
    f.r.valore = static_cast<int64_t>(nome.size());
    f.r.limite = massimo;
    throw f;
  }
  return nome;
}

void fallisci(const scenario_state& st, reperto_id id, int32_t cella, int64_t valore,
              int64_t limite, luogo dove) {
  reading_failure f;
  f.r.id = id;
  f.r.dove = dove.esiste()                 ? dove
             : st.campo_posizione.esiste() ? st.campo_posizione
                                           : st.riga_in_lettura;
  f.r.riga = st.riga_in_lettura;
  f.r.cella = cella;
  f.r.valore = valore;
  f.r.limite = limite;
  throw f;
}

bool oltre_il_percorso(scenario_state& st, int32_t posizione, int32_t margine) {
  if (!st.percorso_creato()) fallisci(st, reperto_id::senza_percorso);
  if ((static_cast<double>(posizione) + margine) / 50 > st.numero_celle) {
    reperto rep;
    rep.id = reperto_id::oltre_percorso;
    rep.dove = st.campo_posizione;
    rep.riga = st.riga_in_lettura;
    rep.ha_posizione = true;
    rep.posizione = posizione;
    // The last position the test lets through.
    rep.limite = int64_t{st.numero_celle} * 50 - margine;
    segnala(st, rep, posizione);
    return true;
  }
  return false;
}

cella& cella_del_percorso(scenario_state& st, int64_t k) {
  cella* c = cella_in(st, k);
  if (c == nullptr) {
    const bool piccolo = k >= std::numeric_limits<int32_t>::min() &&
                         k <= std::numeric_limits<int32_t>::max();
    fallisci(st, reperto_id::fuori_dal_percorso, piccolo ? static_cast<int32_t>(k) : -1,
             0, st.numero_celle);
  }
  return *c;
}

int32_t intero_32(scenario_state& st, int64_t v, luogo dove) {
  constexpr int64_t min = std::numeric_limits<int32_t>::min();
  constexpr int64_t max = std::numeric_limits<int32_t>::max();
  if (v < min || v > max)
    fallisci(st, reperto_id::valore_troppo_grande, -1, min, max, dove);
  return static_cast<int32_t>(v);
}

int32_t arrotonda_32(scenario_state& st, double q, luogo dove) {
  const auto v = arrotonda_a<int32_t>(q);
  if (!v) {
    fallisci(st, reperto_id::valore_troppo_grande, -1,
             std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
             dove);
  }
  return *v;
}
