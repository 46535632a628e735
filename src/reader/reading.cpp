#include "reader/reading.h"

#include <limits>

#include "reader/codici.h"
#include "reader/keywords.h"
#include "reader/track_cells.h"
#include "base/file_io.h"
#include "base/rounding.h"
#include "scenario/scenario_state.h"

std::string_view leggi_token(scenario_state& st, field_reader& r) {
  std::string_view token = read_text(r);
  st.riga.assign(token);  // reuses the buffer's capacity
  return token;
}

bool prossimo_token(scenario_state& st, field_reader& r, std::string_view& token) {
  if (at_end(r)) return false;
  token = leggi_token(st, r);
  if (at_end(r)) return false;
  for (int volte = 0; volte < 2 && contiene(token, "-"); ++volte) {
    token = leggi_token(st, r);
    if (at_end(r)) return false;
  }
  return true;
}

std::string_view leggi_nome(field_reader& r) {
  std::string_view nome = read_text(r);
  if (nome.size() > std::numeric_limits<uint16_t>::max()) throw reading_failure{};
  return nome;
}

bool oltre_il_percorso(scenario_state& st, int32_t posizione, int32_t margine) {
  if (!st.percorso_creato()) throw reading_failure{};
  if ((static_cast<double>(posizione) + margine) / 50 > st.numero_celle) {
    st.codice_errore = codice::oltre_percorso;
    st.posizione_errore = posizione;
    return true;
  }
  return false;
}

cella& cella_del_percorso(scenario_state& st, int64_t k) {
  cella* c = cella_in(st, k);
  if (c == nullptr) throw reading_failure{};
  return *c;
}

void elimina_sorgente(const std::string& path) {
  if (!remove_file(path).ok()) throw reading_failure{};
}

int32_t intero_32(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() ||
      v > std::numeric_limits<int32_t>::max()) {
    throw reading_failure{};
  }
  return static_cast<int32_t>(v);
}

int32_t arrotonda_32(double q) {
  const auto v = arrotonda_a<int32_t>(q);
  if (!v) throw reading_failure{};
  return *v;
}
