// What the two halves of the scenario reader share: the token rules, the
// position test against the end of the track and the deletion of a source
// document. Everything here fails by throwing `reading_failure`, which
// `memorizza_dati` turns into its failure exit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "reader/field_reader.h"

struct cella;
struct scenario_state;

// How the line half ended: go on with the train source, or stop reading.
enum class esito_linea { prosegui, termina };

// The line half: header block, kilometric progressives, body, fills. Leaves
// `slot_cartello` at the slot the next indicator sign would take.
esito_linea leggi_linea(scenario_state& st, int32_t& slot_cartello);

// The train half; stations stay below `slot_cartello`.
void leggi_treno(scenario_state& st, int32_t slot_cartello);

// Reads one token into `riga`; the view points into the document.
std::string_view leggi_token(scenario_state& st, field_reader& r);

// The next token of a body, with the rule that passes over up to two tokens
// holding "-". False when the reading ends (the token just read is then not
// interpreted).
bool prossimo_token(scenario_state& st, field_reader& r, std::string_view& token);

// A text field that goes into a name (at most 65535 bytes, the most a name
// of the scenario file can count).
std::string_view leggi_nome(field_reader& r);

// True, with status 15 and the position recorded, when (posizione +
// margine) / 50 lies beyond the last cell. Fails when there is no track yet.
bool oltre_il_percorso(scenario_state& st, int32_t posizione, int32_t margine);

// The cell at index k; fails when k lies outside the track.
cella& cella_del_percorso(scenario_state& st, int64_t k);

// Deletes a source document; fails when it cannot be deleted.
void elimina_sorgente(const std::string& path);

// A 32-bit result of stored arithmetic; fails when it does not fit.
int32_t intero_32(int64_t v);

// A real rounded half to even into 32 bits; fails when it does not fit.
int32_t arrotonda_32(double q);
