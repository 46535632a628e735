// A summary of the plan polyline of a line plan file: its elements by
// type, the points that carry both values, their bounding box, the first
// and the last of them, and the length of the path through them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "format/records.h"

struct punto_tracciato {
  int32_t metro = 0;
  double x = 0, y = 0;
};

struct riassunto_tracciato {
  int32_t ultimo = -1;                      // last metre; -1 for a file of no element
  size_t vuoti = 0, interi = 0, reali = 0;  // elements by type
  size_t pieni = 0;  // points whose x and y both hold a finite value
  std::optional<punto_tracciato> primo, ultimo_pieno;  // the first and last of them
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;   // their bounding box
  double lunghezza = 0;  // metres along them, point after point
};

riassunto_tracciato riassumi(const tracciato_t& t);

// True when the point at `metro` has both values, finite.
bool punto_pieno(const tracciato_t& t, int32_t metro);
