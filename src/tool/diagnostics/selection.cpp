#include "tool/diagnostics/selection.h"

#include <algorithm>
#include <string>
#include <utility>

severity severity_shown(const reperto& r, const regole_avvisi& regole) {
  const descrizione_reperto& d = descrivi(r.id);
  if (d.livello != severity::warning) return d.livello;
  const auto tra = [&](const std::vector<reperto_id>& ids) {
    return std::find(ids.begin(), ids.end(), r.id) != ids.end();
  };
  // -Wno-error=NAME wins over -Werror, as compilers have it.
  if (tra(regole.non_errori)) return severity::warning;
  return regole.come_errori || d.errore_predefinito || tra(regole.errori)
             ? severity::error
             : severity::warning;
}

std::vector<reperto> filtra_avvisi(const std::vector<reperto>& reperti,
                                   const regole_avvisi& regole) {
  std::vector<reperto> out;
  for (const reperto& r : reperti) {
    if (std::find(regole.spenti.begin(), regole.spenti.end(), r.id) ==
        regole.spenti.end())
      out.push_back(r);
  }
  return out;
}

int32_t numero_reperto(reperto_id id) {
  switch (id) {
    case reperto_id::errore_1250:
      return 1250;
    case reperto_id::errore_1251:
      return 1251;
    default:
      return descrivi(id).codice;
  }
}

std::string etichetta(const reperto& r, const regole_avvisi& regole) {
  const descrizione_reperto& d = descrivi(r.id);
  if (d.livello == severity::warning) {
    // "-Werror,-Wtab" under -Werror; "-Wmisspelt-keyword" for one that is
    // an error by default, as compilers label their denied lints.
    const bool promosso = severity_shown(r, regole) == severity::error;
    return std::string(promosso && !d.errore_predefinito ? "-Werror,-W" : "-W")
        .append(d.nome);
  }
  if (d.livello != severity::error) return "";
  const int32_t numero = numero_reperto(r.id);
  std::string out(d.nome);
  return numero != 0 ? out.append(", ").append(std::to_string(numero)) : out;
}

conteggio_reperti conta_reperti(const std::vector<reperto>& reperti,
                                const regole_avvisi& regole) {
  conteggio_reperti c;
  for (const reperto& r : reperti) {
    // A finding counts for itself and for those folded into it.
    aggiungi(c, severity_shown(r, regole), 1 + r.simili);
  }
  return c;
}

void aggiungi(conteggio_reperti& c, severity g, int n) {
  switch (g) {
    case severity::error:
      c.errori += n;
      break;
    case severity::warning:
      c.avvisi += n;
      break;
    case severity::note:
      c.note += n;
      break;
  }
}

std::string_view severity_word(severity g) {
  switch (g) {
    case severity::error:
      return "error";
    case severity::warning:
      return "warning";
    case severity::note:
      break;
  }
  return "note";
}

std::vector<reperto> in_ordine_di_documento(std::vector<reperto> reperti,
                                            const regole_avvisi& regole) {
  // documento::nessuno is 0: it sorts after both documents.
  const auto chiave = [](const reperto& r) {
    const int doc = r.dove.doc == documento::nessuno ? 3 : static_cast<int>(r.dove.doc);
    return std::pair{doc, r.dove.doc == documento::nessuno ? 0u : r.dove.inizio};
  };
  std::stable_sort(
      reperti.begin(), reperti.end(),
      [&](const reperto& a, const reperto& b) { return chiave(a) < chiave(b); });
  // The error the build's status comes from goes before the first error.
  const auto primo = std::find_if(reperti.begin(), reperti.end(),
                                  [](const reperto& r) { return r.primo_errore; });
  const auto errore = std::find_if(reperti.begin(), reperti.end(), [&](const reperto& r) {
    return severity_shown(r, regole) == severity::error;
  });
  if (primo != reperti.end() && errore < primo) std::rotate(errore, primo, primo + 1);
  return reperti;
}

reperti_scelti scegli_reperti(const std::vector<reperto>& reperti,
                              const regole_avvisi& regole, const limiti_reperti& limiti) {
  reperti_scelti out;
  int errori = 0, avvisi = 0;
  for (const reperto& r : in_ordine_di_documento(reperti, regole)) {
    const severity g = severity_shown(r, regole);
    int* visti = g == severity::error     ? &errori
                 : g == severity::warning ? &avvisi
                                          : nullptr;
    const int limite = g == severity::error ? limiti.errori : limiti.avvisi;
    if (visti != nullptr && limite > 0 && *visti >= limite) {
      int& omessi = g == severity::error ? out.omessi.errori : out.omessi.avvisi;
      omessi += 1 + r.simili;
      continue;
    }
    if (visti != nullptr) ++*visti;
    out.mostrati.push_back(r);
  }
  return out;
}
