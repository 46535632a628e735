// The field reader shared by both source documents. A document is read as
// one stream of fields over its bytes: blanks (space, tab) before a field
// are skipped, and a comma or a line end (CR LF, a lone CR or a lone LF)
// ends it and is consumed with it. Line ends are only separators: a row
// reads exactly the fields it needs, and whatever is left of its line comes
// out as the next fields ("-4,5" read as a number gives -4, then "5").
//
// The reader keeps where the last field lay, so a finding can point at it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "scenario/findings.h"

// Thrown inside the reader when it cannot go on (a field that cannot be
// read, a row that would write outside the track, ...); `memorizza_dati`
// turns it into its failure exit, status 25, and reports the finding.
struct reading_failure {
  reperto r;
  bool segnalato = false;  // the finding was reported already
};

struct field_reader {
  std::string_view testo;  // the whole document
  size_t pos = 0;          // the next byte to read
  documento doc = documento::nessuno;
  size_t inizio_campo = 0;  // the last field read: its first byte
  size_t fine_campo = 0;    // and one past its last
};

inline bool at_end(const field_reader& r) { return r.pos >= r.testo.size(); }

// A span of the document read by `r`, clamped to what a place can hold.
inline luogo luogo_in(const field_reader& r, size_t inizio, size_t fine) {
  constexpr size_t massimo = std::numeric_limits<uint32_t>::max();
  inizio = std::min(inizio, massimo);
  fine = std::min(std::max(fine, inizio), massimo);
  return {r.doc, static_cast<uint32_t>(inizio), static_cast<uint32_t>(fine - inizio)};
}

// The last field read.
inline luogo ultimo_campo(const field_reader& r) {
  return luogo_in(r, r.inizio_campo, r.fine_campo);
}

// A text field: everything up to the next comma or line end. Trailing blanks
// are dropped; a double quote is an ordinary character. Reading when no byte
// is left fails; a field of blanks only is empty.
std::string_view read_text(field_reader& r);

// A whole-number field: an optional minus sign and decimal digits, ended by
// a blank, a comma, a line end or the end of the document. Blanks after it
// are skipped and one comma or line end that follows is consumed. A field
// with no digits reads 0. Fails when no byte is left, when the field holds
// anything else, or when the value lies outside [min, max].
int64_t read_number(field_reader& r, int64_t min, int64_t max);

// A whole-number field read at the width of its destination.
template <typename Int>
Int read_whole(field_reader& r) {
  return static_cast<Int>(
      read_number(r, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max()));
}
