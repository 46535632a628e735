// The field reader shared by both source documents. A document is read as
// one stream of fields over its bytes: blanks (space, tab) before a field
// are skipped, and a comma or a line end (CR LF, a lone CR or a lone LF)
// ends it and is consumed with it. Line ends are only separators: a row
// reads exactly the fields it needs, and whatever is left of its line comes
// out as the next fields ("-4,5" read as a number gives -4, then "5").
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

// Thrown inside the reader when a field cannot be read (the end of the
// document, a field that is not a number, a value too large for its
// destination); the reader turns it into its failure exit, status 25.
struct reading_failure {};

struct field_reader {
  std::string_view testo;  // the whole document
  size_t pos = 0;          // the next byte to read
};

inline bool at_end(const field_reader& r) { return r.pos >= r.testo.size(); }

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
