#include "tool/inspect/dump_view.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "format/plan_summary.h"
#include "tool/diagnostics/kilometric.h"
#include "tool/inspect/cell_view.h"
#include "tool/inspect/plan_view.h"
#include "tool/inspect/slot_view.h"

namespace {

// A double in fixed notation with three decimals, whole: the points may lie
// as far apart as doubles go, and 1.8e308 takes 309 digits before the point.
std::string tre_decimali(double v) {
  const int n = std::snprintf(nullptr, 0, "%.3f", v);
  std::string out(static_cast<size_t>(n), '\0');
  std::snprintf(out.data(), out.size() + 1, "%.3f", v);
  return out;
}

bool nel_tratto(const opzioni_dump& o, int64_t metri) {
  return (!o.da || metri >= *o.da) && (!o.a || metri <= *o.a);
}

std::string dump_track(const opzioni_dump& o, const file_binario& f,
                       const scenario_vicino& v) {
  contesto_celle x;
  if (v.letto) x.elementi = &v.file.elementi;
  const auto& celle = f.percorso;

  if (o.formato == "json") {
    json j;
    j["file"] = o.file;
    j["kind"] = "track";
    j["cell_count"] = celle.size();
    j["scenario_file"] = v.letto ? json(v.percorso) : json(nullptr);
    if (!v.problema.empty()) j["scenario_file_problem"] = v.problema;
    json righe = json::array();
    for (size_t i = 0; i < celle.size(); ++i) {
      if (nel_tratto(o, static_cast<int64_t>(i) * metri_cella))
        righe.push_back(json_cella(celle, i, x));
    }
    j["cells"] = std::move(righe);
    return testo_json(j);
  }

  std::string out =
      "track file '" + o.file + "': " + std::to_string(celle.size()) + " cells";
  if (!celle.empty()) {
    out += ", 0 to " +
           std::to_string(static_cast<int64_t>(celle.size() - 1) * metri_cella) + " m";
  }
  out += "\n";
  if (v.letto) {
    out += "kilometric progressive and names from '" + v.percorso + "'\n";
  } else {
    out += "no kilometric progressive: " +
           (v.problema.empty() ? "no scenario file '" + v.percorso + "' beside it"
                               : v.problema) +
           "\n";
  }
  out += "speed in km/h, gradient per mille\n";
  out += "  cell   metres        km  speed  gradient  adhesion  mountain  feature\n";
  char riga[128];
  for (size_t i = 0; i < celle.size(); ++i) {
    const int64_t metri = static_cast<int64_t>(i) * metri_cella;
    if (!nel_tratto(o, metri)) continue;
    const cella& c = celle[i];
    const auto km = progressiva_cella(x, i);
    std::snprintf(riga, sizeof riga, "%6zu %8lld %9s %6lld %9s %9u %9u", i,
                  static_cast<long long>(metri), km ? formato_km(*km).c_str() : "-",
                  static_cast<long long>(velocita_kmh(c)),
                  con_segno(pendenza_per_mille(c)).c_str(), unsigned{c.aderenza},
                  unsigned{c.tipo_montagna});
    out += riga;
    std::string cosa = testo_caratteristica(c, i, x);
    const std::string marca = testo_preavviso(celle, i);
    if (!marca.empty()) cosa += (cosa.empty() ? "" : "; ") + marca;
    if (!cosa.empty()) out += "  " + cosa;
    out += "\n";
  }
  return out;
}

std::string dump_scenario(const opzioni_dump& o, const file_binario& f) {
  const slot_file& el = f.elementi;
  if (o.formato == "json") {
    json j;
    j["file"] = o.file;
    j["kind"] = "scenario";
    json slots = json::array();
    for (size_t s = 0; s < el.size(); ++s) slots.push_back(json_slot(el, s));
    j["slots"] = std::move(slots);
    return testo_json(j);
  }
  std::string out =
      "scenario file '" + o.file + "': " + std::to_string(el.size()) + " slots\n";
  for (size_t s = 0; s < el.size(); ++s) {
    // A run of empty slots takes one line.
    size_t fine = s;
    if (s > 0) {
      while (fine + 1 < el.size() && testo_slot(el, fine) == "empty" &&
             testo_slot(el, fine + 1) == "empty")
        ++fine;
    }
    char numero[64];  // two numbers of any size: unoptimised g++ cannot bound them
    if (fine > s) {
      std::snprintf(numero, sizeof numero, "slots %zu to %zu", s, fine);
    } else {
      std::snprintf(numero, sizeof numero, "slot %2zu", s);
    }
    out += std::string(numero) + "  " + testo_slot(el, s) + "\n";
    s = fine;
  }
  return out;
}

std::string dump_plan(const opzioni_dump& o, const file_binario& f) {
  const tracciato_t& t = f.tracciato;
  const riassunto_tracciato r = riassumi(t);
  if (o.formato == "json") {
    json j;
    j["file"] = o.file;
    j["kind"] = "plan";
    j["last_metre"] = r.ultimo;
    j["elements"] = {{"empty", r.vuoti}, {"integer", r.interi}, {"real", r.reali}};
    j["full_points"] = r.pieni;
    const auto punto = [&](const std::optional<punto_tracciato>& p) {
      return p ? json_punto(t, p->metro) : json(nullptr);
    };
    j["first_point"] = punto(r.primo);
    j["last_point"] = punto(r.ultimo_pieno);
    j["bounding_box"] = r.pieni == 0 ? json(nullptr)
                                     : json{{"x_min", r.x_min},
                                            {"x_max", r.x_max},
                                            {"y_min", r.y_min},
                                            {"y_max", r.y_max}};
    j["path_length_m"] = r.lunghezza;
    if (o.punti) {
      json punti = json::array();
      for (int32_t m = 0; m <= t.ultimo; ++m) {
        if (nel_tratto(o, m)) punti.push_back(json_punto(t, m));
      }
      j["points"] = std::move(punti);
    }
    return testo_json(j);
  }

  const size_t elementi = r.vuoti + r.interi + r.reali;
  std::string out = "line plan file '" + o.file + "': " + std::to_string(elementi) +
                    " elements (" + std::to_string(r.interi) + " integer, " +
                    std::to_string(r.reali) + " real, " + std::to_string(r.vuoti) +
                    " empty)\n";
  if (r.ultimo < 0) {
    out += "no point\n";
  } else {
    out += "points: metres 0 to " + std::to_string(r.ultimo) + ", " +
           std::to_string(r.pieni) + " with both values\n";
  }
  if (r.primo) {
    out += "first point: metre " + std::to_string(r.primo->metro) + " " +
           testo_punto(t, r.primo->metro) + "\n";
    out += "last point:  metre " + std::to_string(r.ultimo_pieno->metro) + " " +
           testo_punto(t, r.ultimo_pieno->metro) + "\n";
    out += "bounding box: x " + testo_reale(r.x_min) + " to " + testo_reale(r.x_max) +
           ", y " + testo_reale(r.y_min) + " to " + testo_reale(r.y_max) + "\n";
    out += "path length: " + tre_decimali(r.lunghezza) + " m\n";
  }
  if (o.punti) {
    out += " metre  x  y\n";
    for (int32_t m = 0; m <= t.ultimo; ++m) {
      if (!nel_tratto(o, m)) continue;
      out += std::to_string(m) + "  " + testo_valore(t, m, 0) + "  " +
             testo_valore(t, m, 1) + "\n";
    }
  }
  return out;
}

}  // namespace

std::string resa_dump(const opzioni_dump& o, const file_binario& f,
                      const scenario_vicino& vicino) {
  switch (f.tipo) {
    case tipo_binario::percorso:
      return dump_track(o, f, vicino);
    case tipo_binario::elementi:
      return dump_scenario(o, f);
    case tipo_binario::tracciato:
      return dump_plan(o, f);
  }
  return "";
}
