// The plan map as SVG: the line's plan polyline at equal scale on both
// axes, thinned to what the drawing can show, with kilometre ticks along
// it, the stations named, signals, slowdowns, mountains and findings
// marked, a scale bar and a legend.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/records.h"
#include "tool/report/plan_points.h"
#include "tool/report/profile_drawing.h"
#include "tool/report/route_view.h"

namespace pianta {
constexpr double larghezza_massima = 1000;  // the map's box, SVG units
constexpr double altezza_massima = 620;
constexpr double larghezza_minima = 560;
constexpr double margine = 40;
constexpr double legenda = 24;  // the legend's row under the map
// Points are left out within `tolleranza` of the drawn line, and
// coordinates are written to 0.1: every point of the polyline lies within
// `errore` of the line as drawn.
constexpr double tolleranza = 0.2;
constexpr double errore = 0.3;
}  // namespace pianta

// Plan coordinates to the drawing: one scale for both axes, y up in the
// plan and down in the drawing.
struct proiezione {
  double scala = 1;  // drawing units per metre
  double x_min = 0, y_max = 0;
  double ox = 0, oy = 0;              // where (x_min, y_max) is drawn
  double larghezza = 0, altezza = 0;  // of the map, legend excluded

  punto_piano su_disegno(const punto_piano& p) const {
    return {ox + (p.x - x_min) * scala, oy + (y_max - p.y) * scala};
  }
};

// Fits metres 0..ultimo of the polyline in the map's box.
proiezione proietta(const tracciato_t& t, int32_t ultimo);

// The metres of the points drawn, 0 and `ultimo` among them.
std::vector<int32_t> metri_tenuti(const tracciato_t& t, int32_t ultimo,
                                  const proiezione& p);

struct disegno_pianta {
  std::string svg;    // "" when the documents gave no plan
  int32_t punti = 0;  // points of the polyline
  int32_t punti_disegnati = 0;
};

disegno_pianta disegna_pianta(const vista_percorso& v, const tracciato_t& t,
                              const opzioni_disegno& o);
