#include "tool/inspect/diff_view.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "format/compare.h"
#include "format/layout.h"
#include "tool/inspect/cell_view.h"
#include "tool/inspect/plan_view.h"
#include "tool/inspect/slot_view.h"
#include "tool/platform/shown_text.h"

namespace {

// Records present in only one of the two files: indices `da` to `a`.
struct solo_in {
  char file;  // 'A' or 'B'
  size_t da, a;
};

std::optional<solo_in> eccedenza(size_t na, size_t nb) {
  if (na == nb) return std::nullopt;
  return solo_in{na > nb ? 'A' : 'B', std::min(na, nb), std::max(na, nb) - 1};
}

json json_eccedenza(const std::optional<solo_in>& e) {
  if (!e) return nullptr;
  return {{"file", std::string(1, e->file)}, {"from", e->da}, {"to", e->a}};
}

// What field `campo` of cell `i` means, beside the number.
std::string chiosa_cella(std::string_view campo, const std::vector<cella>& percorso,
                         size_t i) {
  const cella& c = percorso[i];
  if (campo == "codice") {
    // The feature's name alone: its values are the other fields'.
    const std::string t = testo_codice(c.codice);
    return t.empty() ? "nothing" : t;
  }
  if (campo == "velocita") return std::to_string(velocita_kmh(c)) + " km/h";
  if (campo == "pendenza") return con_segno(pendenza_per_mille(c)) + " per mille";
  if (campo == "preavviso") {
    const std::string t = testo_preavviso(percorso, i);
    return t.empty() ? "none" : t;
  }
  return "";
}

bool caratteristica_diversa(const std::vector<std::string_view>& campi) {
  for (std::string_view c : campi) {
    if (c == "codice" || c.starts_with("dato_") || c == "tempo") return true;
  }
  return false;
}

esito_diff diff_track(const opzioni_diff& o, const file_binario& fa,
                      const file_binario& fb,
                      const std::array<elemento, slot::numero>* elementi) {
  contesto_celle x;
  x.elementi = elementi;
  const auto& a = fa.percorso;
  const auto& b = fb.percorso;
  const size_t comuni = std::min(a.size(), b.size());
  const auto extra = eccedenza(a.size(), b.size());
  const bool json_out = o.formato == "json";

  std::string out;
  json differenze = json::array();
  size_t diverse = 0;
  for (size_t i = 0; i < comuni; ++i) {
    if (a[i] == b[i]) continue;
    ++diverse;
    const std::vector<std::string_view> campi = campi_diversi(a[i], b[i]);
    if (json_out) {
      json d;
      d["cell"] = i;
      d["metres"] = static_cast<int64_t>(i) * metri_cella;
      const auto km = progressiva_cella(x, i);
      d["progressive_m"] = km ? json(*km) : json(nullptr);
      json lista = json::array();
      const json ra = json_record(a[i]), rb = json_record(b[i]);
      for (std::string_view c : campi) {
        const std::string k(c);
        lista.push_back({{"field", k}, {"a", ra[k]}, {"b", rb[k]}});
      }
      d["fields"] = std::move(lista);
      d["a"] = json_cella(a, i, x);
      d["b"] = json_cella(b, i, x);
      differenze.push_back(std::move(d));
      continue;
    }
    out += testa_cella(x, i) + "\n";
    visit_fields(a[i], b[i], [&](std::string_view nome, int64_t va, int64_t vb) {
      if (va == vb) return;
      const std::string ca = chiosa_cella(nome, a, i), cb = chiosa_cella(nome, b, i);
      out += "  " + std::string(nome) + ": " + std::to_string(va) +
             (ca.empty() ? "" : " (" + ca + ")") + " -> " + std::to_string(vb) +
             (cb.empty() ? "" : " (" + cb + ")") + "\n";
    });
    if (caratteristica_diversa(campi)) {
      const std::string ta = testo_caratteristica(a[i], i, x);
      const std::string tb = testo_caratteristica(b[i], i, x);
      out += "  A: " + (ta.empty() ? "nothing" : ta) + "\n";
      out += "  B: " + (tb.empty() ? "nothing" : tb) + "\n";
    }
  }
  if (json_out) {
    json j;
    j["kind"] = "track";
    j["a"] = o.a;
    j["b"] = o.b;
    j["equal"] = diverse == 0 && !extra;
    j["cells_differing"] = diverse;
    j["only_in_one"] = json_eccedenza(extra);
    j["differences"] = std::move(differenze);
    out = testo_json(j);
  } else {
    if (extra) {
      out += "cells " + std::to_string(extra->da) + " to " + std::to_string(extra->a) +
             " (" + std::to_string(static_cast<int64_t>(extra->da) * metri_cella) +
             " to " + std::to_string(static_cast<int64_t>(extra->a) * metri_cella) +
             " m) only in " + extra->file + "\n";
    }
    if (diverse > 0) {
      out += std::to_string(diverse) +
             (diverse == 1 ? " cell differs\n" : " cells differ\n");
    }
  }
  return {out, diverse != 0 || extra.has_value()};
}

esito_diff diff_scenario(const opzioni_diff& o, const file_binario& fa,
                         const file_binario& fb) {
  const slot_file& a = fa.elementi;
  const slot_file& b = fb.elementi;
  std::string out;
  json differenze = json::array();
  size_t n = 0;
  for (size_t s = 0; s < a.size(); ++s) {
    if (a[s] == b[s]) continue;
    ++n;
    const std::vector<std::string_view> campi = campi_diversi(a[s], b[s]);
    if (o.formato == "json") {
      json d;
      d["slot"] = s;
      json lista = json::array();
      const json ra = json_record(a[s]), rb = json_record(b[s]);
      for (std::string_view c : campi) {
        const std::string k(c);
        lista.push_back({{"field", k}, {"a", ra[k]}, {"b", rb[k]}});
      }
      d["fields"] = std::move(lista);
      d["a"] = json_slot(a, s);
      d["b"] = json_slot(b, s);
      differenze.push_back(std::move(d));
      continue;
    }
    out += "slot " + std::to_string(s) + "\n";
    visit_fields(a[s], b[s], [&](std::string_view nome, const auto& va, const auto& vb) {
      if (va == vb) return;
      if constexpr (std::is_integral_v<std::decay_t<decltype(va)>>) {
        out += "  " + std::string(nome) + ": " + std::to_string(va) + " -> " +
               std::to_string(vb) + "\n";
      } else {
        out += "  " + std::string(nome) + ": \"" + testo_mostrato(va) + "\" -> \"" +
               testo_mostrato(vb) + "\"\n";
      }
    });
    out += "  A: " + testo_slot(a, s) + "\n";
    out += "  B: " + testo_slot(b, s) + "\n";
  }
  if (o.formato == "json") {
    json j;
    j["kind"] = "scenario";
    j["a"] = o.a;
    j["b"] = o.b;
    j["equal"] = n == 0;
    j["slots_differing"] = n;
    j["differences"] = std::move(differenze);
    out = testo_json(j);
  } else {
    if (n > 0)
      out += std::to_string(n) + (n == 1 ? " slot differs\n" : " slots differ\n");
  }
  return {out, n != 0};
}

esito_diff diff_plan(const opzioni_diff& o, const file_binario& fa,
                     const file_binario& fb) {
  const tracciato_t& a = fa.tracciato;
  const tracciato_t& b = fb.tracciato;
  const std::vector<tratto_diverso> tratti = tratti_diversi(a, b);
  // Which file a metre lies in: both, or only the longer one.
  const auto solo = [&](int32_t m) -> const char* {
    if (m > a.ultimo) return "B";
    if (m > b.ultimo) return "A";
    return nullptr;
  };
  if (o.formato == "json") {
    json lista = json::array();
    for (const tratto_diverso& t : tratti) {
      const auto estremo = [&](int32_t m) {
        return json{{"metre", m},
                    {"a", m <= a.ultimo ? json_punto(a, m) : json(nullptr)},
                    {"b", m <= b.ultimo ? json_punto(b, m) : json(nullptr)}};
      };
      const char* s = solo(t.da);
      lista.push_back({{"from", t.da},
                       {"to", t.a},
                       {"only_in", s ? json(s) : json(nullptr)},
                       {"first", estremo(t.da)},
                       {"last", estremo(t.a)}});
    }
    json j;
    j["kind"] = "plan";
    j["a"] = o.a;
    j["b"] = o.b;
    j["equal"] = tratti.empty();
    j["stretches"] = std::move(lista);
    return {testo_json(j), !tratti.empty()};
  }
  std::string out;
  for (const tratto_diverso& t : tratti) {
    const std::string metri =
        t.da == t.a ? "metre " + std::to_string(t.da)
                    : "metres " + std::to_string(t.da) + " to " + std::to_string(t.a);
    if (const char* s = solo(t.da)) {
      out += metri + " only in " + s + "\n";
      continue;
    }
    const int64_t punti = int64_t{t.a} - t.da + 1;
    out += metri + ": " + std::to_string(punti) +
           (punti == 1 ? " point differs\n" : " points differ\n");
    for (int32_t m : {t.da, t.a}) {
      out += "  at " + std::to_string(m) + ": " + testo_punto(a, m) + " -> " +
             testo_punto(b, m) + "\n";
      if (t.da == t.a) break;
    }
  }
  return {out, !tratti.empty()};
}

}  // namespace

esito_diff resa_diff(const opzioni_diff& o, const file_binario& a, const file_binario& b,
                     const std::array<elemento, slot::numero>* elementi) {
  switch (a.tipo) {
    case tipo_binario::percorso:
      return diff_track(o, a, b, elementi);
    case tipo_binario::elementi:
      return diff_scenario(o, a, b);
    case tipo_binario::tracciato:
      return diff_plan(o, a, b);
  }
  return {};
}
