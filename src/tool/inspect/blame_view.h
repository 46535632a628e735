// What `scenario blame` shows of a built track: each cell asked for, field
// by field, and for each field the source row that set it (file:line), as
// text or JSON. A pure function of a build in memory, as dump and diff have
// theirs; the command only reads the documents and prints.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tool/diagnostics/selection.h"
#include "tool/session/in_memory_build.h"

struct richiesta_blame {
  int64_t da = 0, a = 0;         // the cells shown, both within the track
  std::optional<int64_t> metri;  // --at, for the note on features placed after it
  bool json = false;
};

std::string resa_blame(const costruzione_in_memoria& c,
                       const documenti_mostrati& documenti, const richiesta_blame& q);
