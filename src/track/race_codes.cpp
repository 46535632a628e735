#include "track/race_codes.h"

#include <string>

#include "scenario/scenario_state.h"

namespace {

constexpr const char* riempitivo = "aabbccddeeffgghhiillmmnnoo";
constexpr int caratteri_contati = 25;

int32_t somma(const scenario_state& st, bool pesata) {
  const std::string testo = testo_di_lavoro(st);
  int32_t totale = 0;
  for (int i = 1; i <= caratteri_contati; ++i) {
    int32_t c = static_cast<unsigned char>(testo[static_cast<size_t>(i - 1)]);
    totale += pesata ? i * c : c;
  }
  return totale;
}

}  // namespace

std::string testo_di_lavoro(const scenario_state& st) {
  std::string testo = st.elementi[slot::treno].nome + st.elementi[slot::linea].nome;
  for (char& c : testo) {
    c = static_cast<char>(minuscola_1252(static_cast<unsigned char>(c)));
  }
  testo += riempitivo;
  return testo;
}


unsigned char minuscola_1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  // À..Þ except × (0xD7).
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A:
      return 0x9A;  // Š
    case 0x8C:
      return 0x9C;  // Œ
    case 0x8E:
      return 0x9E;  // Ž
    case 0x9F:
      return 0xFF;  // Ÿ
    default:
      return c;
  }
}

int16_t codice_gara_og(const scenario_state& st) {
  return static_cast<int16_t>(somma(st, false));  // at most 25 * 255 = 6375
}

int32_t codice_gara_st(const scenario_state& st) { return somma(st, true); }
