#include "tool/inspect/plan_view.h"

#include <charconv>
#include <cmath>

std::string testo_reale(double v) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, r.ptr);
}

std::string testo_valore(const tracciato_t& t, int32_t metro, int componente) {
  const size_t i = t.indice(metro, componente);
  switch (t.tipo[i]) {
    case tracciato_t::intero:
      return std::to_string(static_cast<int64_t>(t.valore[i]));
    case tracciato_t::reale:
      return testo_reale(t.valore[i]);
    default:
      return "-";
  }
}

std::string testo_punto(const tracciato_t& t, int32_t metro) {
  std::string out = "(";
  out.append(testo_valore(t, metro, 0)).append(", ").append(testo_valore(t, metro, 1));
  return out.append(")");
}

json json_valore(const tracciato_t& t, int32_t metro, int componente) {
  const size_t i = t.indice(metro, componente);
  const double v = t.valore[i];
  switch (t.tipo[i]) {
    case tracciato_t::intero:
      return static_cast<int64_t>(v);
    case tracciato_t::reale:
      if (std::isfinite(v)) return v;
      return std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf");
    default:
      return nullptr;
  }
}

json json_punto(const tracciato_t& t, int32_t metro) {
  return json::array({metro, json_valore(t, metro, 0), json_valore(t, metro, 1)});
}
