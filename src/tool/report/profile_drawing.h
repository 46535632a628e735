// The profile along the route as SVG: lanes of marks (stations, signals,
// slowdowns, code points, speed-limit boards, indicator signs, findings),
// the elevation from the gradients with the gradient band, the line speed
// limit as a step line with every slowdown's lower limit over it, the
// adhesion, mountains shaded, and the axis in metres and in the line's
// kilometric progressive.
//
// The drawing is complete by itself at the whole route's scale. Its data
// group holds x in metres under one transform, and every mark carries its
// metres in `data-m`, so the report's script can zoom and pan by changing
// the transform and moving the marks.
#pragma once

#include <string>

#include "tool/report/route_view.h"

namespace profilo {
// The drawing's frame, in SVG units (CSS pixels at full size).
constexpr double larghezza = 1200;
constexpr double sinistra = 118;  // lane names and the charts' scales
constexpr double destra = 16;
constexpr double piano = larghezza - sinistra - destra;  // the plotted width

// The charts: top and height.
constexpr double quota_alto = 182, quota_altezza = 150;
constexpr double pendenza_alto = 336, pendenza_altezza = 16;
constexpr double velocita_alto = 364, velocita_altezza = 130;
constexpr double aderenza_alto = 504, aderenza_altezza = 50;
constexpr double asse_alto = 560;
constexpr double altezza = 606;

// The vertical scales of a drawing of `v`: the elevation's range with a
// margin, the speeds from 0 to the highest (slowdowns included) rounded up to
// 50 km/h, the adhesion's range (at least 10 wide).
struct scale_verticali {
  double quota_bassa = 0, quota_alta = 1;
  double velocita_massima = 50;
  double aderenza_bassa = 0, aderenza_alta = 10;

  double y_quota(double z) const;
  double y_velocita(double kmh) const;
  double y_aderenza(double a) const;
};
scale_verticali scale_di(const vista_percorso& v);
}  // namespace profilo

struct opzioni_disegno {
  std::string titolo;  // UTF-8, shown in the drawing and as its title
  // For the report page, whose script completes the tooltips: rows named
  // short ("T:126"), and no tooltip on a plan mark that the profile shows
  // with the same metres (the script lends it the profile's).
  bool per_pagina = false;
};

// The <svg> element, without an XML declaration.
std::string disegna_profilo(const vista_percorso& v, const opzioni_disegno& o);
