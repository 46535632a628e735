// The message of a finding: its table template with the holes filled.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "format/records.h"
#include "scenario/findings.h"

// The position a finding speaks of, in metres: its own, or its cell's start.
std::optional<int64_t> metri_di(const reperto& r);

// `riga` is the 1-based line of the finding's place, 0 when it has none. The
// kilometric progressive comes from the line's entries in `elementi`.
// The text of the note that points at a finding's `origine`.
std::string testo_nota(const reperto& r);

std::string componi_messaggio(const reperto& r,
                              const std::array<elemento, slot::numero>& elementi,
                              uint32_t riga);
