// The message of a finding: its table template with the holes filled.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "format/records.h"
#include "scenario/findings.h"

// The position a finding speaks of, in metres: its own, or its cell's start.
std::optional<int64_t> metri_di(const reperto& r);

// What a message says beyond the finding itself, worked out where the
// finding is rendered: the lines of its place and of its note's, and the
// text of its row as typed.
struct contesto_messaggio {
  uint32_t riga = 0;       // the 1-based line of the finding's place, 0 for none
  uint32_t riga_nota = 0;  // likewise of its `origine`
  std::string_view testo;  // the row's keyword (or the field) as typed
};

// The text of the note that points at a finding's `origine`.
std::string testo_nota(const reperto& r, const contesto_messaggio& c = {});

// A message template with each hole "{name}" replaced by `buco(name)`; an
// opening brace without its closing one is kept as written.
std::string riempi_modello(std::string_view modello,
                           const std::function<std::string(std::string_view)>& buco);

// The message of `r`: its table template with the holes filled. The
// kilometric progressive comes from the line's entries in `elementi`.
std::string componi_messaggio(const reperto& r,
                              const std::array<elemento, slot::numero>& elementi,
                              const contesto_messaggio& c);
