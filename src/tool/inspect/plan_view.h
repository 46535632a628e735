// How the points of a plan polyline are shown by dump and diff.
#pragma once

#include <cstdint>
#include <string>

#include "format/records.h"
#include "tool/platform/json_output.h"

// A value as the file holds it: an integer element as a whole number, a
// real one in the fewest digits that read back to the same double, an
// empty one as "-".
std::string testo_valore(const tracciato_t& t, int32_t metro, int componente);

// "(x, y)" of the point at `metro`.
std::string testo_punto(const tracciato_t& t, int32_t metro);

// A value as JSON: an integer element a JSON integer, a real one a JSON
// number with a fraction or exponent ("nan", "inf", "-inf" as strings),
// an empty one null.
json json_valore(const tracciato_t& t, int32_t metro, int componente);

// [metre, x, y].
json json_punto(const tracciato_t& t, int32_t metro);

// A double in the fewest digits that read back to it.
std::string testo_reale(double v);
