// What the two halves of the scenario reader share: the reading of one
// document (tokens, the row outcome, giving up early, the fills that carry
// a value up to a cell), the position test against the end of the track and
// the checked arithmetic. Everything here fails by throwing
// `reading_failure`, which `memorizza_dati` turns into its failure exit.
#pragma once

#include <cstdint>
#include <string_view>

#include "reader/field_reader.h"
#include "reader/memorizza_dati.h"
#include "reader/rows.h"
#include "scenario/findings.h"
#include "scenario/scenario_state.h"

// What a row leaves the body loop to do.
enum class esito_riga {
  avanti,      // go on with the next token
  esci_corpo,  // leave the body; the steps after it still run (status 15)
  termina      // the reading of this document ended early
};

// The reading of one source document.
struct lettura {
  scenario_state& st;
  field_reader r;
  const sorgenti_lettura& sorgenti;

  // Reads one token into `riga`; it becomes the row being read.
  std::string_view token();

  // The next token of a body, with the rule that passes over up to two
  // tokens holding "-". False when the reading ends (the token just read is
  // then not interpreted).
  bool prossimo_token(std::string_view& token);

  // This document is done with for good (the one-shot program deletes it
  // here); fails when that failed.
  void consuma();

  // Ends the reading early with the finding: the document is done with,
  // then the finding is reported with the row it stopped at.
  esito_riga abbandona(reperto r);

  // After an encoder: its 25 (reported already) is the failure exit; any
  // other positive code (an earlier 15 included) ends the reading at this
  // row, which gives the code its position.
  esito_riga dopo_encoder(int32_t posizione);

  // Reports, where the body was left early, that the rows after the last
  // field read were not read.
  void segnala_interruzione();

  // The row's fields in table order; the first is its position.
  template <class R, size_t N>
  R leggi_riga(const campo_riga<R> (&campi)[N]) {
    R riga{};
    for (size_t i = 0; i < N; ++i) {
      riga.*(campi[i].membro) = read_whole<int32_t>(r);
      if (i == 0) segna_posizione();
    }
    return riga;
  }

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

// Carries a value along the track: `scrivi` on the cell at the cursor, then
// the cursor advances, at least once and while it is below `fino`. With
// `ferma_all_ultima` the fill stops when the cursor reaches numero_celle;
// otherwise a cursor past the track fails.
// The row that set the value is kept as the field's provenance.
template <class F>
void riempi(scenario_state& st, int64_t& cursore, int64_t fino, bool ferma_all_ultima,
            luogo provenienza_cella::*campo, const luogo& riga, F scrivi);

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

// The line half: header block, kilometric progressives, body, fills. False
// when it ended the reading early (the train source is then not read).
bool leggi_linea(scenario_state& st, const sorgenti_lettura& s, consegna_linea& c);

// The train half.
void leggi_treno(scenario_state& st, const sorgenti_lettura& s, const consegna_linea& c);

// --- template definitions ------------------------------------------------

template <class F>
void riempi(scenario_state& st, int64_t& cursore, int64_t fino, bool ferma_all_ultima,
            luogo provenienza_cella::*campo, const luogo& riga, F scrivi) {
  do {
    if (ferma_all_ultima && cursore >= st.numero_celle) break;
    scrivi(cella_del_percorso(st, cursore));
    if (st.provenienza != nullptr) (*st.provenienza)[static_cast<size_t>(cursore)].*campo = riga;
    ++cursore;
  } while (cursore < fino);
}
