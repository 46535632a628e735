// The kilometric progressive of a position on the line, as the line's
// entries in slots 81 to 83 of the scenario file give it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "format/records.h"

// The progressive of `posizione` (metres from the start of the route), in
// metres. Of the entries that are set and start at or before the position,
// the one that starts last applies: a rising entry (progressiva 0) counts
// fine + posizione, a falling one (progressiva 1) fine - posizione, less the
// 100 m the build added to its offset. None when no entry applies.
std::optional<int64_t> progressiva_di(const std::array<elemento, slot::numero>& elementi,
                                      int64_t posizione);

// "45.250": metres as kilometres with three decimals.
std::string formato_km(int64_t metri);
