// What the two halves of the scenario reader share: the reading of one
// document (tokens, the row outcome, giving up early, the fills that carry
// a value up to a cell), the position test against the end of the track and
// the checked arithmetic. Everything here fails by throwing
// `reading_failure`, which `memorizza_dati` turns into its failure exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <variant>

#include "reader/field_reader.h"
#include "reader/memorizza_dati.h"
#include "reader/row_kinds.h"
#include "reader/rows.h"
#include "reader/track_cells.h"
#include "reader/warnings.h"
#include "scenario/findings.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

// What the line half hands to the train half: the slot the next indicator
// sign would take (stations stay below it), and the kilometric progressive
// rows as read, so the train half's check of them can point at them.
struct consegna_linea {
  int32_t slot_cartello = slot::primo_cartello;
  struct progressiva_letta {
    luogo riga;
    int32_t inizio = 0;
  };
  progressiva_letta progressive[3];  // "tre", "due", "uno"
};

// A value that rows of one kind carry along the track (gradient, line speed,
// adhesion): each row fills the cells from where the previous row of its
// kind stopped up to its own position with the previous row's value, and
// leaves its own for the next. What differs between the kinds is said here.
struct valore_portato {
  uint8_t cella::*in_cella;         // the cell's byte it fills
  luogo provenienza_cella::*fonte;  // the provenance of that byte
  bool ferma_all_ultima;            // inside the body the fill stops at the last cell
                                    // instead of failing past it
  uint8_t (*in_byte)(lettura& l, valore_portato& v);  // `precedente` stored

  int64_t cursore = 0;     // the next cell to fill
  int32_t precedente = 0;  // the value of the last row read
  luogo riga{};            // that row
  luogo campo{};           // and its value field
};

// The margin of track a row needs after its position (a station needs more).
constexpr int32_t margine_riga = 100;  // metres

// The reading of one source document, and the state its rows carry from one
// to the next.
struct lettura {
  scenario_state& st;
  field_reader r;
  const sorgenti_lettura& sorgenti;
  consegna_linea& consegna;

  // The line source.
  valore_portato pendenza;
  bool polilinea = false;  // the plan polyline is being built
  // The train source.
  valore_portato velocita;
  valore_portato aderenza;
  int32_t stazione = 1;  // the slot of the next station
  luogo riga_stazione_precedente{};
  // The row kind being laid, from the table.
  const tipo_riga* tipo_corrente = nullptr;
  int64_t righe_applicate = 0;  // rows of a kind the table knows, read so far

  lettura(scenario_state& st, field_reader r, const sorgenti_lettura& s,
          consegna_linea& c);

  // Reads one token into `riga`; it becomes the row being read.
  std::string_view token();

  // The next token of a body, with the rule that passes over up to two
  // tokens holding "-". False when the reading ends (the token just read is
  // then not interpreted).
  bool prossimo_token(std::string_view& token);

  // Applies the rows of `sezione` to the token `t` in the table's order,
  // each row that matches reading its own fields; stops at the first that
  // does not leave the reading to go on.
  esito_riga applica_righe(std::string_view t, sezione_riga sezione);

  // One row of a document: applica_righe, and where the reading recovers
  // (scenario_state::recupero) an error sets the row aside, is reported,
  // and the reading goes on at the next line, so that this never ends it
  // but where nothing more can be read.
  esito_riga riga(std::string_view t, sezione_riga sezione);

  // A field of the row being read failed: where it lay on a later line than
  // the row's keyword, the row was short of fields, and the finding becomes
  // the row's, noting where field `campo` of `campi` was read.
  void riga_corta_se(reading_failure& f, size_t campo, size_t campi) const;

  // A value the build takes but that cannot mean what the scenario needs:
  // a warning at the field just read, field `campo` of the row kind.
  void insensato(motivo m, int64_t valore, size_t campo, luogo dove = {});
  // Likewise for a value outside the values its field takes.
  void fuori_intervallo(intervallo ammessi, int64_t valore, size_t campo) {
    // A byte's range is its width, and value-truncated tells a value past
    // it; a speed's is a byte of 5 km/h, and value-out-of-range tells.
    if (ammessi.minimo == 0 && (ammessi.massimo == 255 || ammessi.massimo == 255 * 5)) return;
    if (ammessi.esiste() && (valore < ammessi.minimo || valore > ammessi.massimo))
      insensato(motivo::fuori_intervallo, valore, campo);
  }

  // This document is done with for good (the one-shot program deletes it
  // here); fails when that failed.
  void consuma();

  // Ends the reading early with the finding: the document is done with,
  // then the finding is reported with the row it stopped at. With a
  // position, the finding's status goes with it.
  esito_riga abbandona(reperto r);
  esito_riga abbandona(reperto r, int32_t posizione);

  // The row's cell k, wanted at `posizione` metres, is taken: the reading
  // ends with `id`, noting the row that took the cell.
  esito_riga cella_presa(reperto_id id, int64_t k, int32_t posizione);

  // After an encoder: its 25 (reported already) is the failure exit; any
  // other positive code (an earlier 15 included) ends the reading at this
  // row, which gives the code its position.
  esito_riga dopo_encoder(int32_t posizione);

  // Reports, where the body was left early, that the rows after the last
  // field read were not read.
  void segnala_interruzione();

  // Fields [da, a) of a row from its table, into `riga` and, for fields
  // that go into a slot of `elementi`, into `slot`. A position field marks
  // the row's position.
  template <class R, size_t N>
  void leggi_campi(const campo_riga<R> (&campi)[N], R& riga, elemento* slot,
                   size_t da = 0, size_t a = N);

  // A whole row of a record of its own.
  template <class R, size_t N>
  R leggi_riga(const campo_riga<R> (&campi)[N]) {
    static_assert(!membri_riga<R>::anche_nel_slot, "a row that fills a slot names it");
    R riga{};
    leggi_campi(campi, riga, nullptr);
    return riga;
  }

  // A row whose fields all go into the slot `slot` of `elementi`.
  template <size_t N>
  esito_riga nel_slot(const campo_riga<elemento> (&campi)[N], int slot) {
    elemento& e = st.elementi[static_cast<size_t>(slot)];
    leggi_campi(campi, e, &e);
    return esito_riga::avanti;
  }

  // One row of a carried value: the position test, then the previous value
  // up to the row's cell; `prima_del_riempimento` runs just before the fill.
  template <class F>
  esito_riga porta(valore_portato& v, const riga_valore& riga, F prima_del_riempimento);
  esito_riga porta(valore_portato& v, const riga_valore& riga) {
    return porta(v, riga, [] {});
  }

  // After the body: the last value carried on up to cell `fino` - 1 (at
  // least one cell).
  void porta_fino_a(valore_portato& v, int64_t fino);

  // The field just read is the row's position.
  void segna_posizione();

  // After a row kind of `sezione` was applied to the token `t` and the body
  // goes on: warns about fields left over on its line, or about a line that
  // no row recognised.
  void dopo_riga(std::string_view t, int sezione);

  // A finding at the field just read, in the row being read.
  reperto al_campo(reperto_id id) const;
};

// True, with status 15 and the position recorded, when (posizione +
// margine) / 50 lies beyond the last cell. Fails when there is no track yet.
bool oltre_il_percorso(scenario_state& st, int32_t posizione, int32_t margine);

// The cell at index k; fails when k lies outside the track.
cella& cella_del_percorso(scenario_state& st, int64_t k);

// A 32-bit result of stored arithmetic; fails, pointing at `dove` (or at
// the row's position), when it does not fit.
int32_t intero_32(scenario_state& st, int64_t v, luogo dove = {});

// A real rounded half to even into 32 bits; fails as intero_32.
int32_t arrotonda_32(scenario_state& st, double q, luogo dove = {});

// Throws the reading failure `id` at `dove`, or at the position of the row
// being read.
[[noreturn]] void fallisci(const scenario_state& st, reperto_id id, int32_t cella = -1,
                           int64_t valore = 0, int64_t limite = 0, luogo dove = {});

// A text field that goes into a name (at most 65535 bytes, the most a name
// of the scenario file can count).
std::string_view leggi_nome(lettura& l);

// The line half: header block, kilometric progressives, body, fills. False
// when it ended the reading early (the train source is then not read).
bool leggi_linea(scenario_state& st, const sorgenti_lettura& s, consegna_linea& c);

// The train half.
void leggi_treno(scenario_state& st, const sorgenti_lettura& s, consegna_linea& c);

// --- template definitions ------------------------------------------------

template <class R, size_t N>
void lettura::leggi_campi(const campo_riga<R> (&campi)[N], R& riga, elemento* slot,
                          size_t da, size_t a) {
  for (size_t i = da; i < a; ++i) {
    std::visit(
        [&](auto membro) {
          using tipo = typename layout_detail::membro<decltype(membro)>::tipo;
          using record = typename layout_detail::membro<decltype(membro)>::record;
          auto& dove = [&]() -> record& {
            if constexpr (std::is_same_v<record, R>) {
              return riga;
            } else {
              return *slot;
            }
          }();
          try {
            if constexpr (std::is_same_v<tipo, std::string_view>) {
              dove.*membro = leggi_nome(*this);
            } else {
              dove.*membro = read_whole<tipo>(r);
            }
          } catch (reading_failure& f) {
            riga_corta_se(f, i, N);
            throw;
          }
          if constexpr (!std::is_same_v<tipo, std::string_view>) {
            if (st.reperti != nullptr)
              fuori_intervallo(campi[i].ammessi, dove.*membro, i);
          }
        },
        campi[i].membro);
    if (campi[i].posizione) segna_posizione();
  }
}

template <class F>
esito_riga lettura::porta(valore_portato& v, const riga_valore& riga,
                          F prima_del_riempimento) {
  if (oltre_il_percorso(st, riga.posizione, margine_riga)) return esito_riga::esci_corpo;
  const int64_t n = indice_cella(riga.posizione / 50.0);
  // At least one cell, even when the cursor is already at or past n; rows
  // out of order that push it past the last cell end the reading.
  if (n > 0 && n <= v.cursore) {
    avvisa(st, reperto_id::fuori_ordine, st.campo_posizione, riga.posizione);
  }
  prima_del_riempimento();
  if (n > 0) {
    do {
      if (v.ferma_all_ultima && v.cursore >= st.numero_celle) break;
      cella& c = cella_del_percorso(st, v.cursore);  // before the value, which may fail
      c.*v.in_cella = v.in_byte(*this, v);
      segna_campo(st, v.cursore, v.fonte, v.riga);
      ++v.cursore;
    } while (v.cursore < n);
  }
  v.precedente = riga.valore;
  v.campo = ultimo_campo(r);
  v.riga = st.riga_in_lettura;
  return esito_riga::avanti;
}
