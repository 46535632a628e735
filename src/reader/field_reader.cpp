#include "reader/field_reader.h"

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool line_end(char c) { return c == '\r' || c == '\n'; }

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

}  // namespace

std::string_view read_text(field_reader& r) {
  if (at_end(r)) throw reading_failure{};
  skip_blanks(r);
  size_t start = r.pos;
  while (!at_end(r) && r.testo[r.pos] != ',' && !line_end(r.testo[r.pos])) ++r.pos;
  size_t end = r.pos;
  while (end > start && blank(r.testo[end - 1])) --end;
  consume_separator(r);
  return r.testo.substr(start, end - start);
}

int64_t read_number(field_reader& r, int64_t min, int64_t max) {
  if (at_end(r)) throw reading_failure{};
  skip_blanks(r);
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
    if (value > limit) throw reading_failure{};
    ++r.pos;
  }
  if (!at_end(r)) {
    char c = r.testo[r.pos];
    if (!blank(c) && c != ',' && !line_end(c)) throw reading_failure{};
  }
  skip_blanks(r);
  consume_separator(r);
  if (negative) value = -value;
  if (value < min || value > max) throw reading_failure{};
  return value;
}
