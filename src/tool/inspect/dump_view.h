// What dump prints, composed from a file already decoded: every record by
// what it means, as text or JSON. Nothing here reads a file or prints; the
// command does both.
#pragma once

#include <string>

#include "tool/inspect/binary_input.h"
#include "tool/session/options.h"

// The dump of `f` (of the kind `f.tipo`) as `o` asks for it. `vicino`, the
// scenario file beside a track file, serves a track file only.
std::string resa_dump(const opzioni_dump& o, const file_binario& f,
                      const scenario_vicino& vicino);
