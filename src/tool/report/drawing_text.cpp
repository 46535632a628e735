#include "tool/report/drawing_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

double larghezza_testo(std::string_view utf8, double px) {
  size_t caratteri = 0;
  for (unsigned char c : utf8) caratteri += (c & 0xC0) != 0x80 ? 1 : 0;
  return static_cast<double>(caratteri) * 0.62 * px;
}

int64_t passo_tondo(double minimo) {
  int64_t p = 1;
  while (true) {
    for (int64_t f : {1, 2, 5}) {
      if (static_cast<double>(p * f) >= minimo) return p * f;
    }
    if (p > INT64_MAX / 100) return p * 10;
    p *= 10;
  }
}

std::string testo_km(int64_t metri, int64_t passo) {
  const int decimali = passo >= 1000 ? 0 : passo >= 100 ? 1 : passo >= 10 ? 2 : 3;
  char b[48];
  std::snprintf(b, sizeof b, "%.*f", decimali, static_cast<double>(metri) / 1000.0);
  return b;
}

std::vector<etichetta_posata> posa_etichette(std::vector<etichetta_da_posare> etichette,
                                             double px, double spazio) {
  std::stable_sort(etichette.begin(), etichette.end(),
                   [](const etichetta_da_posare& a, const etichetta_da_posare& b) {
                     return a.priorita > b.priorita;
                   });
  constexpr double mai = 1e9;  // a label on the very spot of a stronger one
  std::vector<etichetta_posata> out;
  std::vector<double> larghezze;
  out.reserve(etichette.size());
  for (const etichetta_da_posare& e : etichette) {
    const double w = larghezza_testo(e.testo, px);
    double k = 0;
    for (size_t j = 0; j < out.size(); ++j) {
      const int64_t d = std::llabs(e.metri - out[j].metri);
      const double serve = (w + larghezze[j]) / 2 + spazio;
      k = std::max(k, d == 0 ? mai : serve / static_cast<double>(d));
    }
    out.push_back({e.metri, e.testo, k});
    larghezze.push_back(w);
  }
  return out;
}
