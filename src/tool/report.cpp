#include "tool/report.h"

#include <algorithm>
#include <string>

gravita gravita_mostrata(const reperto& r, const regole_avvisi& regole) {
  const gravita g = descrivi(r.id).livello;
  return g == gravita::avviso && regole.come_errori ? gravita::errore : g;
}

std::vector<reperto> filtra_avvisi(const std::vector<reperto>& reperti,
                                   const regole_avvisi& regole) {
  std::vector<reperto> out;
  for (const reperto& r : reperti) {
    if (std::find(regole.spenti.begin(), regole.spenti.end(), r.id) == regole.spenti.end())
      out.push_back(r);
  }
  return out;
}

std::string etichetta(const reperto& r, const regole_avvisi& regole) {
  const descrizione_reperto& d = descrivi(r.id);
  if (d.livello == gravita::avviso) {
    return std::string(regole.come_errori ? "-Werror,-W" : "-W").append(d.nome);
  }
  return d.codice != 0 ? std::to_string(d.codice) : "";
}

conteggio_reperti conta_reperti(const std::vector<reperto>& reperti,
                                const regole_avvisi& regole) {
  conteggio_reperti c;
  for (const reperto& r : reperti) {
    switch (gravita_mostrata(r, regole)) {
      case gravita::errore:
        ++c.errori;
        break;
      case gravita::avviso:
        ++c.avvisi;
        break;
      case gravita::nota:
        ++c.note;
        break;
    }
  }
  return c;
}

std::string_view parola_gravita(gravita g) {
  switch (g) {
    case gravita::errore:
      return "error";
    case gravita::avviso:
      return "warning";
    case gravita::nota:
      break;
  }
  return "note";
}
