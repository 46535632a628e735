// Labels and scale ticks that both drawings lay out: how wide a text is
// taken to be, a round step for ticks, and which labels give way to which
// at a given scale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The width a text is taken to have at `px` pixels (0.62 em a character,
// a little over the average of the drawings' sans-serif font).
double larghezza_testo(std::string_view utf8, double px);

// The smallest step of 1, 2 or 5 times a power of ten metres that is at
// least `minimo` (and at least 1).
int64_t passo_tondo(double minimo);

// Metres as kilometres with as many decimals as a tick step of `passo`
// metres needs: "120", "120.5", "120.25".
std::string testo_km(int64_t metri, int64_t passo);

struct etichetta_da_posare {
  int64_t metri = 0;  // the label is centred here
  std::string testo;
  int32_t priorita = 0;  // the higher keeps its place
};

struct etichetta_posata {
  int64_t metri = 0;
  std::string testo;
  // The smallest scale (units per metre) at which the label clears every
  // label of higher priority, by `spazio` units; above it the label shows.
  // Labels shown together at any scale never overlap.
  double scala_minima = 0;
};

std::vector<etichetta_posata> posa_etichette(std::vector<etichetta_da_posare> etichette,
                                             double px, double spazio);
