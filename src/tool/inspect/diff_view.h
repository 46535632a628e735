// What diff prints, composed from two files already decoded: each cell,
// slot or stretch of points that differs, field by field, as text or JSON.
// Nothing here reads a file or prints; the command does both.
#pragma once

#include <array>
#include <string>

#include "format/records.h"
#include "tool/inspect/binary_input.h"
#include "tool/session/options.h"

struct esito_diff {
  std::string testo;
  bool diversi = false;  // the files differ: the command's status 1
};

// The comparison of `a` and `b`, both of the kind `a.tipo`, as `o` asks for
// it. For track files `elementi` (null when there is none) is the scenario
// file beside them, for the kilometric progressive and the names.
esito_diff resa_diff(const opzioni_diff& o, const file_binario& a, const file_binario& b,
                     const std::array<elemento, slot::numero>* elementi);
