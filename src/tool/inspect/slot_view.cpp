#include "tool/inspect/slot_view.h"

#include <cstdio>
#include <type_traits>

#include "format/layout.h"
#include "format/slot_meaning.h"
#include "scenario/scenario_state.h"
#include "tool/diagnostics/kilometric.h"
#include "tool/platform/encoding.h"
#include "tool/platform/shown_text.h"
#include "track/race_codes.h"

namespace {

// The race code the build computes from the identifiers in the slots.
int32_t codice_gara_atteso(const slot_file& elementi) {
  scenario_state st;
  st.elementi = elementi;
  return codice_gara_st(st);
}

// What a value means, where words say more than the number.
std::string chiosa(const slot_file& elementi, size_t s, const voce& v) {
  const int64_t x = v.valore;
  if (v.nome == "time_s" && x > 0 && x < 100 * 3600) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(x / 3600),
                  static_cast<int>(x / 60 % 60), static_cast<int>(x % 60));
    return buffer;
  }
  if (v.nome == "direction") {
    if (x != 0 && x != 1) return "no direction the line defines";
    const elemento& e = elementi[s];
    const int64_t km = x == 0 ? int64_t{e.fine} + e.inizio
                              : int64_t{e.fine} - aggiunta_discendente - e.inizio;
    return std::string(x == 0 ? "rising" : "falling") + ", km " + formato_km(km) +
           " at its start";
  }
  if (v.nome == "check_value" && x != timbro::linea) {
    return "the build stamps " + std::to_string(timbro::linea);
  }
  if (v.nome == "race_code") {
    const int32_t atteso = codice_gara_atteso(elementi);
    if (x != atteso) return "the identifiers give " + std::to_string(atteso);
    return "agrees with the identifiers";
  }
  return "";
}

}  // namespace

std::string testo_slot(const slot_file& elementi, size_t s) {
  const elemento& e = elementi[s];
  const ruolo_slot ruolo = ruolo_di(s, e);
  std::string out;
  switch (ruolo) {
    case ruolo_slot::vuoto:
      out = "empty";
      break;
    case ruolo_slot::stazione:
      out = "station";
      break;
    case ruolo_slot::cartello:
      out = "indicator sign";
      break;
    case ruolo_slot::progressiva:
      out = "kilometric progressive";
      break;
    case ruolo_slot::dimensioni:
      out = "sizes";
      break;
    case ruolo_slot::linea:
      out = "line";
      break;
    case ruolo_slot::treno:
      out = "train";
      break;
  }
  if (!e.nome.empty()) out += " \"" + testo_mostrato(e.nome) + "\"";
  const std::vector<voce> voci = voci_slot(s, e);
  if (ruolo == ruolo_slot::progressiva && voci.empty()) out += " not set";
  for (size_t i = 0; i < voci.size(); ++i) {
    out += i == 0 ? ": " : " ";
    out.append(voci[i].nome).append("=").append(std::to_string(voci[i].valore));
    const std::string c = chiosa(elementi, s, voci[i]);
    if (!c.empty()) out += " (" + c + ")";
  }
  return out;
}

json json_record(const elemento& e) {
  json j = json::object();
  visit_fields(e, [&](std::string_view nome, const auto& v) {
    if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) {
      j[std::string(nome)] = v;
    } else {
      j[std::string(nome)] = cp1252_a_utf8(v);
    }
  });
  return j;
}

json json_slot(const slot_file& elementi, size_t s) {
  const elemento& e = elementi[s];
  json j;
  j["slot"] = s;
  j["role"] = std::string(nome_ruolo(ruolo_di(s, e)));
  j["name"] = cp1252_a_utf8(e.nome);
  json valori = json::object();
  for (const voce& v : voci_slot(s, e)) valori[std::string(v.nome)] = v.valore;
  j["values"] = valori;
  if (s == slot::linea) j["race_code_expected"] = codice_gara_atteso(elementi);
  j["record"] = json_record(e);
  return j;
}
