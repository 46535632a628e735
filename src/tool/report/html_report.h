// The report page: one self-contained HTML file (its style, script and both
// drawings inline, nothing fetched) with the build's summary, its findings
// listed with their places, the plan map and the profile. The page is also
// well-formed XML, so it can be checked as such.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tool/diagnostics/rendered.h"
#include "tool/report/plan_drawing.h"
#include "tool/report/route_view.h"

struct scenario_state;

struct contenuto_report {
  std::string linea;  // the identifiers, UTF-8
  std::string treno;
  const documenti_mostrati* documenti = nullptr;
  const std::vector<rendered_diagnostic>* diagnostiche = nullptr;
  const scenario_state* st = nullptr;
  const vista_percorso* vista = nullptr;
  const disegno_pianta* pianta = nullptr;
  std::string profilo;      // the profile's SVG, "" without a track
  std::string esito_fermo;  // why the build stopped, where no finding says it
  // The live page's version (scenario serve), which its script follows
  // the documents from; 0 for a page written as a file.
  uint64_t dal_vivo = 0;
};

std::string pagina_report(const contenuto_report& c);
