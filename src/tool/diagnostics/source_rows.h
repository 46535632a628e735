// The rows of a source document by keyword and first number. The build
// traces each cell's fields to the rows that set them; for what it does not
// trace (a station without a stop point, an entry of the kilometric
// progressive) the drawings find the row here: one row per line, its keyword
// the line's first field, its position the second.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/row_kinds.h"
#include "scenario/findings.h"
#include "tool/diagnostics/line_table.h"

struct riga_indicizzata {
  std::string_view parola;        // the keyword field, blanks trimmed
  std::optional<int64_t> numero;  // the next field as a whole number
  luogo riga;                     // the whole line, without its line end
};

struct righe_sorgente {
  std::vector<riga_indicizzata> righe;  // document order, from "[generale]" on
};

righe_sorgente indicizza_righe(documento doc, const line_table& righe);

// The rows of the kinds `tipi`, told by the reader's own keyword test, in
// document order.
std::vector<const riga_indicizzata*> righe_con(const righe_sorgente& r,
                                               std::initializer_list<riga_id> tipi);

// The value of the field `nome` of a row of kind `t` written on the line
// `riga`, read field by field as the reader reads it (across no line end);
// nothing when the line does not hold it as a number.
std::optional<int64_t> valore_campo(std::string_view riga, const tipo_riga& t,
                                    std::string_view nome);

// A mountain's type in the reference's words, from the cells' type and,
// where its row is known, the row's tipo: "type 2, with markers (tipo 12)",
// "type 3, 150 m or less after the previous stretch (tipo 2)", "type 2".
std::string testo_tipo_montagna(int64_t tipo_cella, std::optional<int64_t> tipo_riga);
