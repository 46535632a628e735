#include "tool/diagnostics/line_table.h"

#include <algorithm>

tabella_righe crea_tabella_righe(std::string_view testo) {
  tabella_righe t;
  t.inizi.push_back(0);
  for (size_t i = 0; i < testo.size(); ++i) {
    char c = testo[i];
    if (c != '\r' && c != '\n') continue;
    if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    if (i + 1 < testo.size()) t.inizi.push_back(static_cast<uint32_t>(i + 1));
  }
  return t;
}

std::string_view testo_riga(const tabella_righe& t, std::string_view testo,
                            uint32_t riga) {
  if (riga == 0 || riga > t.inizi.size()) return {};
  std::string_view resto = testo.substr(t.inizi[riga - 1]);
  return resto.substr(0, resto.find_first_of("\r\n"));
}

punto_testo punto_di(const tabella_righe& t, std::string_view testo, uint32_t offset) {
  punto_testo p;
  if (offset >= testo.size()) {
    p.riga = static_cast<uint32_t>(t.inizi.size());
    p.colonna = static_cast<uint32_t>(testo_riga(t, testo, p.riga).size()) + 1;
    return p;
  }
  // The last line start at or before the offset.
  auto dopo = std::upper_bound(t.inizi.begin(), t.inizi.end(), offset);
  p.riga = static_cast<uint32_t>(dopo - t.inizi.begin());
  p.colonna = offset - t.inizi[p.riga - 1] + 1;
  return p;
}
