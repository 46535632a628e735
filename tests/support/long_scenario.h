// A long scenario for scale: a 1,000,000 m route with thousands of curves,
// gradients and speed-limit boards, about a thousand signals and slowdowns,
// and stations, signs and mountains up to their table limits. The two source
// documents are made in memory at run time; nothing large is stored.
//
// The features repeat in blocks of 40 cells (2000 m), laid out so that every
// one lands on a free cell and every code point the build adds around the
// slowdowns finds room: the build ends with status 0.
#pragma once

#include <cstdint>
#include <string>

#include "base/status.h"

struct scenario_state;

struct long_scenario {
  std::string line_source;   // Windows-1252, CR LF after every line
  std::string train_source;  // same

  // Rows written, by kind.
  int32_t curves = 0;
  int32_t gradients = 0;
  int32_t mountains = 0;
  int32_t speed_boards = 0;
  int32_t signs = 0;
  int32_t speeds = 0;
  int32_t adhesions = 0;
  int32_t stations = 0;
  int32_t slowdowns = 0;  // all below 110 km/h
  int32_t signals = 0;
  int32_t code_points = 0;  // "abbattimento" rows
};

constexpr int32_t long_route_length = 1'000'000;

// Both source documents of the long scenario.
long_scenario make_long_scenario();

// A line source with the header rows and the curves only (no train
// features): the plan polyline alone.
std::string make_curved_line_source();

// Writes the two source documents into st.cartella under the names that
// st.linea and st.treno give them.
Status write_long_scenario(const scenario_state& st, const long_scenario& s);
