#include "reader/field_reader.h"

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool line_end(char c) { return c == '\r' || c == '\n'; }
bool separator(char c) { return blank(c) || c == ',' || line_end(c); }

void skip_blanks(field_reader& r) {
  while (!at_end(r) && blank(r.testo[r.pos])) ++r.pos;
}

// Consumes one comma or one line end, if one stands at the position.
void consume_separator(field_reader& r) {
  if (at_end(r)) return;
  char c = r.testo[r.pos];
  if (c == ',' || c == '\n') {
    ++r.pos;
  } else if (c == '\r') {
    ++r.pos;
    if (!at_end(r) && r.testo[r.pos] == '\n') ++r.pos;
  }
}

// The document ended where a row still wanted a field. The row itself is
// named by whoever catches this.
[[noreturn]] void fine_documento(const field_reader& r) {
  reading_failure f;
  f.r.id = reperto_id::fine_documento;
  f.r.dove = luogo_in(r, r.testo.size(), r.testo.size());
  throw f;
}

// The field from `start` up to the next separator does not fit its
// destination (or is no number at all).
[[noreturn]] void campo_errato(field_reader& r, size_t start, reperto_id id, int64_t min,
                               int64_t max) {
  size_t end = r.pos;
  while (end < r.testo.size() && !separator(r.testo[end])) ++end;
  r.inizio_campo = start;
  r.fine_campo = end;
  reading_failure f;
  f.r.id = id;
  f.r.dove = ultimo_campo(r);
  f.r.valore = min;
  f.r.limite = max;
  throw f;
}

}  // namespace

std::string_view read_text(field_reader& r) {
  if (at_end(r)) fine_documento(r);
  skip_blanks(r);
  size_t start = r.pos;
  while (!at_end(r) && r.testo[r.pos] != ',' && !line_end(r.testo[r.pos])) ++r.pos;
  size_t end = r.pos;
  while (end > start && blank(r.testo[end - 1])) --end;
  r.inizio_campo = start;
  r.fine_campo = end;
  consume_separator(r);
  return r.testo.substr(start, end - start);
}

int64_t read_number(field_reader& r, int64_t min, int64_t max) {
  if (at_end(r)) fine_documento(r);
  skip_blanks(r);
  const size_t start = r.pos;
  bool negative = false;
  if (!at_end(r) && r.testo[r.pos] == '-') {
    negative = true;
    ++r.pos;
  }
  // Digits beyond what any destination holds fail at once, so a long run of
  // digits never overflows the accumulator.
  constexpr int64_t limit = int64_t{1} << 40;
  int64_t value = 0;
  while (!at_end(r) && r.testo[r.pos] >= '0' && r.testo[r.pos] <= '9') {
    value = value * 10 + (r.testo[r.pos] - '0');
    if (value > limit) campo_errato(r, start, reperto_id::valore_troppo_grande, min, max);
    ++r.pos;
  }
  if (!at_end(r) && !separator(r.testo[r.pos])) {
    campo_errato(r, start, reperto_id::non_numero, min, max);
  }
  r.inizio_campo = start;
  r.fine_campo = r.pos;
  skip_blanks(r);
  consume_separator(r);
  if (negative) value = -value;
  if (value < min || value > max) {
    reading_failure f;
    f.r.id = reperto_id::valore_troppo_grande;
    f.r.dove = ultimo_campo(r);
    f.r.valore = min;
    f.r.limite = max;
    throw f;
  }
  return value;
}
