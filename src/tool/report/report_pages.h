// What `scenario report` writes, made in memory from a build: the page and,
// when asked for, the two drawings as SVG documents of their own.
#pragma once

#include <cstdint>
#include <string>

#include "tool/session/in_memory_build.h"
#include "tool/session/options.h"

struct pagine_report {
  std::string pagina;   // the HTML page
  std::string pianta;   // the plan as an SVG document; "" when not asked for
                        // or nothing to draw
  std::string profilo;  // the profile likewise; "" also without a track
};

// `c` built from the documents `lettura` names; `svg` asks for the drawings
// as files of their own as well; `dal_vivo`, other than 0, makes the live
// page of that version (contenuto_report::dal_vivo).
pagine_report crea_pagine_report(const costruzione_in_memoria& c,
                                 const opzioni_build& lettura, bool svg,
                                 uint64_t dal_vivo = 0);
