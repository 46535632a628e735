// The rows of a source document by keyword and first number. The build
// traces each cell's fields to the rows that set them; for what it does not
// trace (a station without a stop point, an entry of the kilometric
// progressive) the drawings find the row here: one row per line, its keyword
// the line's first field, its position the second.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
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
