#include "tool/platform/shown_text.h"

#include "tool/platform/encoding.h"

namespace {
constexpr size_t tabulazione = 8;
}

std::string testo_mostrato(std::string_view cp1252) {
  std::string out;
  size_t colonna = 0;
  for (char c : cp1252) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\t') {
      const size_t passo = tabulazione - colonna % tabulazione;
      out.append(passo, ' ');
      colonna += passo;
      continue;
    }
    aggiungi_utf8(out, b < 0x20 || b == 0x7F ? U'\uFFFD' : da_cp1252(b));
    ++colonna;
  }
  return out;
}
