// Warnings: the places where the reader accepts what the author wrote but
// quietly ignores, reinterprets or overwrites it. They are looked for only
// when findings are collected (the author's tool), so the one-shot program
// pays one test for each.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "reader/field_reader.h"
#include "scenario/findings.h"

struct scenario_state;

// The first sign that a document is not Windows-1252 text: a byte-order
// mark, UTF-16, NUL bytes, or bytes beyond ASCII that all form UTF-8; the
// span it lies at. None for Windows-1252 (and for plain ASCII).
struct codifica_trovata {
  motivo perche;
  size_t inizio, fine;
};
std::optional<codifica_trovata> codifica_estranea(std::string_view testo);

// Line-level oddities of a whole document: tabs, lone CR or LF line ends,
// lines after "[fine]", a text that is not Windows-1252.
void controlla_formato(scenario_state& st, std::string_view testo, documento doc);

// True when the last field read began its line (blanks before it aside).
bool campo_a_inizio_riga(const field_reader& r);

// After a row that read its fields: fields left over on its line.
void controlla_avanzi(scenario_state& st, const field_reader& r);

// A token at the start of a line that no row of `sezione` recognised.
void controlla_riga_ignorata(scenario_state& st, std::string_view token, int sezione,
                             bool salva_linea);

// The nearest keyword to a misspelt token, as an index of parole_chiave(),
// or -1 when none is near.
int parola_vicina(std::string_view token);

// A warning at `dove`, in the row being read.
void avvisa(scenario_state& st, reperto_id id, luogo dove, int64_t valore = 0,
            int64_t limite = 0);

// A value stored at the width of its field, warning when the stored value is
// not the value given (at the row being read).
int16_t in_16_bit(scenario_state& st, int64_t v);
uint8_t in_8_bit(scenario_state& st, int64_t v);
