#include "tool/report.h"

conteggio_reperti conta_reperti(const std::vector<reperto>& reperti) {
  conteggio_reperti c;
  for (const reperto& r : reperti) {
    switch (descrivi(r.id).livello) {
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
