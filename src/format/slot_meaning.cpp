#include "format/slot_meaning.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <type_traits>

#include "format/layout.h"

namespace {

// A number of the slot by its meaning: the field it is kept in, by the
// layout's name, and the name it is shown under.
struct significato {
  std::string_view campo;
  std::string_view nome;
};

constexpr significato stazione[] = {
    {"tipo", "kind"},           {"progressiva", "position_m"}, {"inizio", "area_start_m"},
    {"fine", "area_end_m"},     {"opzione_1", "opzione_1"},    {"opzione_2", "opzione_2"},
    {"opzione_3", "opzione_3"}, {"opzione_4", "opzione_4"},    {"opzione_5", "opzione_5"},
    {"valore_1", "valore_1"},   {"valore_2", "valore_2"},      {"valore_3", "valore_3"},
    {"valore_4", "valore_4"},   {"valore_5", "valore_5"},      {"orario", "time_s"}};
constexpr significato dimensioni[] = {{"inizio", "braked_mass_percent"},
                                      {"fine", "route_length_m"},
                                      {"progressiva", "cars"}};
constexpr significato linea[] = {{"inizio", "background_1"},
                                 {"progressiva", "background_2"},
                                 {"fine", "background_3"},
                                 {"valore_1", "check_value"},
                                 {"orario", "race_code"}};
constexpr significato treno[] = {{"inizio", "repetition_start_m"},
                                 {"fine", "repetition_end_m"},
                                 {"progressiva", "repetition_codes"},
                                 {"valore_1", "sand"},
                                 {"valore_3", "clock_h"},
                                 {"valore_4", "clock_m"},
                                 {"valore_5", "clock_s"}};

// Calls f(nome, valore) for every number of `e` (the name left out).
template <class F>
void numeri(const elemento& e, F&& f) {
  visit_fields(e, [&](std::string_view nome, const auto& v) {
    if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) f(nome, int64_t{v});
  });
}

int64_t numero(const elemento& e, std::string_view campo) {
  int64_t out = 0;
  numeri(e, [&](std::string_view nome, int64_t v) {
    if (nome == campo) out = v;
  });
  return out;
}

bool numeri_a_zero(const elemento& e) {
  bool zero = true;
  numeri(e, [&](std::string_view, int64_t v) { zero = zero && v == 0; });
  return zero;
}

}  // namespace

std::string_view nome_ruolo(ruolo_slot r) {
  switch (r) {
    case ruolo_slot::vuoto:
      return "empty";
    case ruolo_slot::stazione:
      return "station";
    case ruolo_slot::cartello:
      return "indicator_sign";
    case ruolo_slot::progressiva:
      return "kilometric_progressive";
    case ruolo_slot::dimensioni:
      return "sizes";
    case ruolo_slot::linea:
      return "line";
    case ruolo_slot::treno:
      return "train";
  }
  return "empty";
}

ruolo_slot ruolo_di(size_t s, const elemento& e) {
  switch (s) {
    case slot::progressiva_tre:
    case slot::progressiva_due:
    case slot::progressiva_uno:
      return ruolo_slot::progressiva;
    case slot::dimensioni:
      return ruolo_slot::dimensioni;
    case slot::linea:
      return ruolo_slot::linea;
    case slot::treno:
      return ruolo_slot::treno;
    default:
      break;
  }
  if (s == 0 || s > static_cast<size_t>(slot::primo_cartello)) return ruolo_slot::vuoto;
  if (!numeri_a_zero(e)) return ruolo_slot::stazione;
  return e.nome.empty() ? ruolo_slot::vuoto : ruolo_slot::cartello;
}

std::vector<voce> voci_slot(size_t s, const elemento& e) {
  std::vector<voce> out;
  std::vector<std::string_view> usati;
  const auto metti = [&](std::string_view campo, std::string_view nome, int64_t v) {
    usati.push_back(campo);
    out.push_back({nome, v});
  };
  const auto secondo = [&](const auto& tabella) {
    for (const significato& m : tabella) metti(m.campo, m.nome, numero(e, m.campo));
  };
  switch (ruolo_di(s, e)) {
    case ruolo_slot::progressiva:
      if (e.inizio == 0 && e.fine == 0 && e.progressiva == 0) break;  // not set
      metti("inizio", "start_m", e.inizio);
      metti("fine", "offset_m",
            e.progressiva == 1 ? int64_t{e.fine} - aggiunta_discendente : e.fine);
      metti("progressiva", "direction", e.progressiva);
      break;
    case ruolo_slot::stazione:
      secondo(stazione);
      break;
    case ruolo_slot::dimensioni:
      secondo(dimensioni);
      break;
    case ruolo_slot::linea:
      secondo(linea);
      break;
    case ruolo_slot::treno:
      secondo(treno);
      break;
    case ruolo_slot::cartello:
    case ruolo_slot::vuoto:
      break;
  }
  numeri(e, [&](std::string_view nome, int64_t v) {
    if (v != 0 && std::find(usati.begin(), usati.end(), nome) == usati.end()) {
      out.push_back({nome, v});
    }
  });
  return out;
}
