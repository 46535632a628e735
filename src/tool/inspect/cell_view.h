// How a track cell is shown by dump, diff and blame: the feature by name
// with its values named for it, the approach mark, the speed, gradient,
// adhesion and mountain in their units, as text and as JSON. The scenario
// file, where it is known, gives the kilometric progressive and the names
// of stations and signs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/cell_meaning.h"
#include "format/records.h"
#include "tool/platform/json_output.h"

struct contesto_celle {
  const std::array<elemento, slot::numero>* elementi = nullptr;  // none: unknown
};

// The kilometric progressive at cell `indice`, in metres, where known.
std::optional<int64_t> progressiva_cella(const contesto_celle& x, size_t indice);

// "cell 845, 42250 m, km 45.300" (without the km where it is unknown).
std::string testa_cella(const contesto_celle& x, size_t indice);

// The name of the feature with code `codice`: "signal", "code point",
// "unknown feature 99"; "" for an empty cell.
std::string testo_codice(uint8_t codice);

// The feature and its values: "signal sx=2 s1=4 ...", "station stop slot=3
// "Roma Ostiense""; "" for a cell with nothing on it.
std::string testo_caratteristica(const cella& c, size_t indice, const contesto_celle& x);

// The approach mark on cell `i`: "approach mark 2 of the signal on cell
// 845", "approach mark 1 of the station stop on cell 21", or, when neither
// stands where it points, "approach mark 2 of a signal with sx=2 dx=1";
// "preavviso=65" for a value no mark has; "" for none.
std::string testo_preavviso(const std::vector<cella>& percorso, size_t i);

// "+3", "-12", "0".
std::string con_segno(int64_t v);

// The cell's fields by their names in the file.
json json_record(const cella& c);

// The whole of cell `i`: index, metres, progressive, record, feature,
// approach mark, speed, gradient, adhesion, mountain.
json json_cella(const std::vector<cella>& percorso, size_t i, const contesto_celle& x);
