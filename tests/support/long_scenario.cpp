#include "support/long_scenario.h"

#include <initializer_list>

#include "base/file_io.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"

namespace {

// Layout of one block of 40 cells starting at cell b = 40 n (n = 1..499).
// A point feature at cell k stands at (k - 1) * 50 m; code points and
// stations are given by their own quotients. What each block holds:
//   b + 0   start of slowdown A (500 m, f_ta 1): end board b + 10, warning
//           board b - 24, approach marks b - 25 .. b - 28; the build adds a
//           code point inside at b + 8 and before the signal at b + 19
//   b + 28  start of slowdown B (250 m, f_ta 0): end board b + 33, warning
//           board b + 4; the build adds one before the signal at b + 36
//   b + 20, b + 37  signals
//   b + 5, b + 25, b + 31  speed-limit boards
//   b + 38  an "abbattimento" row
//   b + 2   an indicator sign (some blocks)
//   b + 26  a station's stop point (some blocks)
// The build's windows before the start boards then land on b + 35, b + 29,
// b + 22 (slowdown A) and b + 23, b + 17, b + 9 (B, whose third window meets
// A's end board at b + 10); every look-back from a warning board finds the
// signal at b - 3 with code points already on both cells before it.
constexpr int32_t cells_per_block = 40;
constexpr int32_t first_block = 1;
constexpr int32_t last_block = 499;
constexpr int32_t cell_metres = 50;

constexpr int32_t number_of_signs = 30;     // slots 80 down to 51
constexpr int32_t number_of_stations = 40;  // slots 1 to 40, below the signs
constexpr int32_t number_of_mountains = 60;

int32_t point_at(int32_t cell) { return (cell - 1) * cell_metres; }

struct document {
  std::string text;
  void line(std::initializer_list<std::string_view> pieces) {
    for (std::string_view p : pieces) text.append(p);
    text.append("\r\n");
  }
};

std::string n(int64_t v) { return std::to_string(v); }

void header_rows(document& d) {
  d.line({"[generale]"});
  d.line({"lunghezza percorso,    ", n(long_route_length)});
  d.line({"progressiva chilometrica uno,    0,    12000,    0"});
  d.line({"progressiva chilometrica due,    400000,    -388000,    0"});
  d.line({"progressiva chilometrica tre,    700000,    950000,    1"});
  d.line({"sfondo uno,    2"});
  d.line({"sfondo due,    1"});
  d.line({"sfondo tre,    0"});
  d.line({"ripetizione segnali 9 codici,    8000,    990000"});
}

// Curves every 500 m, 100 to 300 m long, turning both ways through every
// radius class; the last ends well before the polyline's 1,000,000 m limit.
int32_t curve_rows(document& d) {
  d.line({"[curve]"});
  int32_t count = 0;
  for (int32_t i = 0; 500 * i + 100 + 300 < long_route_length; ++i) {
    const char side = (i / 2) % 2 == 0 ? 's' : 'd';
    const char radius = static_cast<char>('1' + i % 6);
    const std::string keyword = std::string("curva") + side + radius;
    d.line({keyword, ",  ", n(500 * i + 100), ",  ", n(100 + 50 * (i % 5))});
    ++count;
  }
  return count;
}

}  // namespace

std::string make_curved_line_source() {
  document d;
  header_rows(d);
  curve_rows(d);
  d.line({"[fine]"});
  return std::move(d.text);
}

long_scenario make_long_scenario() {
  long_scenario s;

  document line;
  header_rows(line);
  s.curves = curve_rows(line);

  line.line({"[pendenze]"});
  for (int32_t i = 0; 250 * i < long_route_length; ++i) {
    // -11..11 per mille, never the same twice in a row.
    line.line({"pendenza,  ", n(250 * i), ",   ", n((i * 7) % 23 - 11)});
    ++s.gradients;
  }

  line.line({"[montagne]"});
  for (int32_t m = 0; m < number_of_mountains; ++m) {
    const int32_t b = (8 * m + 2) * cells_per_block;
    const int32_t start = (b + 1) * cell_metres;
    line.line({"montagna,   ", n(start), ",  ", n(start + 1500), ",  ",
               m % 2 == 0 ? "12" : "2"});
    ++s.mountains;
  }

  line.line({"[cartelli]"});
  for (int32_t k = first_block; k <= last_block; ++k) {
    const int32_t b = k * cells_per_block;
    for (int32_t offset : {5, 25, 31}) {
      const int32_t v = 100 + 5 * ((k + offset) % 10);
      if (offset == 31) {  // one board in three has no right-hand set
        line.line({"indicatori_vmax,  ", n(point_at(b + offset)), ",  ", n(v), ",  ",
                   n(v + 5), ",  ", n(v + 10), ",  1,  ,  ,  ,  0"});
      } else {
        line.line({"indicatori_vmax,  ", n(point_at(b + offset)), ",  ", n(v), ",  ",
                   n(v + 5), ",  ", n(v + 10), ",  0,  ", n(v), ",  ", n(v + 5), ",  ",
                   n(v + 10), ",  0"});
      }
      ++s.speed_boards;
    }
  }

  line.line({"[indicazioni]"});
  for (int32_t m = 0; m < number_of_signs; ++m) {
    const int32_t b = (16 * m + 3) * cells_per_block;
    const int32_t p = point_at(b + 2);
    line.line({"cartello_indicatore,  ", n(p), ",   (  Cippo  )(Km ", n(p / 1000), "+",
               n(p % 1000 / 100), "00)"});
    ++s.signs;
  }
  line.line({"[fine]"});
  s.line_source = std::move(line.text);

  document train;
  train.line({"[generale]"});
  train.line({"numero vetture,    12"});
  train.line({"percentuale massa frenata,    140"});
  train.line({"sabbia,    100"});
  train.line({"orologio,    6              30            0 "});

  train.line({"[aderenze]"});
  for (int32_t i = 0; 50000 * i < long_route_length; ++i) {
    train.line({"aderenza,  ", n(50000 * i), ",    ", n(60 + (i * 7) % 20)});
    ++s.adhesions;
  }

  train.line({"[vel_limite]"});
  for (int32_t i = 0; 5000 * i < long_route_length; ++i) {
    train.line({"velocita,  ", n(5000 * i), ",   ", n(100 + 5 * ((i * 3) % 13))});
    ++s.speeds;
  }

  train.line({"[stazioni]"});
  for (int32_t m = 0; m < number_of_stations; ++m) {
    // Kind 22, 400 m: the area runs 200 m either side, the stop point falls
    // on cell b + 26 and the stations lie 24 km apart.
    const int32_t b = (12 * m + 5) * cells_per_block;
    const int32_t p = (b + 23) * cell_metres;
    const int32_t seconds = 23400 + static_cast<int32_t>(int64_t{p} * 36 / 1000);
    train.line({"stazione,  ",
                n(p),
                ",  22,  400,  ",
                m == 0 ? "1" : "0",
                ", ",
                n(m % 2),
                ", 0,  ",
                n(m % 4),
                ",",
                n(m % 2),
                ",0,  ",
                n(m % 5),
                ",",
                n(m % 2),
                ",",
                n((m + 1) % 2),
                ",    0,  ",
                n(seconds / 3600),
                ",",
                n(seconds / 60 % 60),
                ",",
                n(seconds % 60),
                ", Stazione ",
                n(m + 1)});
    ++s.stations;
  }

  train.line({"[rallentamenti]"});
  for (int32_t k = first_block; k <= last_block; ++k) {
    const int32_t b = k * cells_per_block;
    // A: 500 m from cell b, with approach marks; B: 250 m from cell b + 28.
    train.line({"rallentamento,  ", n(point_at(b)), ",  ", n(30 + 10 * (k % 8)),
                ",  500,  1,  1,  ", k % 3 == 0 ? "10" : "0"});
    train.line({"rallentamento,  ", n(point_at(b + 28)), ",  ", n(60 + 10 * (k % 5)),
                ",  250,  0,  0,  0"});
    s.slowdowns += 2;
  }

  train.line({"[segnali]"});
  for (int32_t k = first_block; k <= last_block; ++k) {
    const int32_t b = k * cells_per_block;
    for (int32_t offset : {20, 37}) {
      const int32_t tempo = k % 4 == 0 ? 0 : 110 + (k + offset) % 146;
      train.line({"segnale,  ", n(point_at(b + offset)), ",   2, 4, 1,  1, 0,    ",
                  n((k + offset) % 3), ",  2,1,1, ", n(tempo)});
      ++s.signals;
    }
  }

  train.line({"[codici]"});
  for (int32_t k = first_block; k <= last_block; ++k) {
    const int32_t cell = k * cells_per_block + 38;  // quotient p / 50, no + 1
    train.line(
        {"abbattimento,  ", n(cell * cell_metres), ",  ", k % 4 == 0 ? "0" : "270"});
    ++s.code_points;
  }
  train.line({"[fine]"});
  s.train_source = std::move(train.text);
  return s;
}

Status write_long_scenario(const scenario_state& st, const long_scenario& s) {
  Status line = replace_file(file_path(st, file_kind::line_source), s.line_source);
  if (!line.ok()) return line;
  return replace_file(file_path(st, file_kind::train_source), s.train_source);
}
