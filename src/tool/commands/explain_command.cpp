// scenario explain [CODE|NAME]: what a finding means, a row that causes it,
// and how to mend it, from the table of findings.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "scenario/findings.h"
#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/diagnostics/message.h"
#include "tool/diagnostics/selection.h"

namespace {

// Holes of a message as the author reads them in an explanation.
std::string senza_buchi(std::string_view modello) {
  return riempi_modello(modello, [](std::string_view buco) -> std::string {
    if (buco == "km" || buco == "suggerimento" || buco == "altre") return "";  // optional
    if (buco == "metri") return "<metres> m";
    return "<" + std::string(buco) + ">";
  });
}

// `testo` in lines of at most `larghezza` characters, each indented by two.
std::string a_capo(std::string_view testo, size_t larghezza = 76) {
  std::string out, riga;
  size_t i = 0;
  while (i < testo.size()) {
    const size_t spazio = testo.find(' ', i);
    const std::string_view parola = testo.substr(
        i, spazio == std::string_view::npos ? std::string_view::npos : spazio - i);
    if (!riga.empty() && riga.size() + 1 + parola.size() > larghezza) {
      out += "  " + riga + "\n";
      riga.clear();
    }
    if (!riga.empty()) riga += ' ';
    riga += parola;
    if (spazio == std::string_view::npos) break;
    i = spazio + 1;
  }
  if (!riga.empty()) out += "  " + riga + "\n";
  return out;
}

std::string spiega(const descrizione_reperto& d) {
  std::string out(d.nome);
  out += " (" + std::string(severity_word(d.livello));
  if (d.codice != 0) out += ", status " + std::to_string(d.codice);
  if (d.livello == severity::warning) out += ", -W" + std::string(d.nome);
  out += ")\n" + a_capo(senza_buchi(d.messaggio)) + "\n" + a_capo(d.spiegazione);
  if (!d.esempio.empty()) {
    out += "\n  For example:\n";
    std::string_view esempio(d.esempio);
    size_t inizio = 0;
    while (inizio <= esempio.size()) {
      const size_t fine = esempio.find('\n', inizio);
      out.append("    ").append(esempio.substr(inizio, fine - inizio)).append("\n");
      if (fine == std::string_view::npos) break;
      inizio = fine + 1;
    }
  }
  return out + "\n";
}

}  // namespace

int comando_explain(const std::string& che) {
  const size_t n = static_cast<size_t>(reperto_id::numero);
  if (che.empty()) {
    std::string out =
        "Every finding the tool reports, by name (status code in brackets):\n";
    for (size_t i = 0; i < n; ++i) {
      const descrizione_reperto& d = descrivi(static_cast<reperto_id>(i));
      char riga[128];
      std::snprintf(riga, sizeof riga, "  %-40s %-8s", std::string(d.nome).c_str(),
                    std::string(severity_word(d.livello)).c_str());
      out += riga;
      if (d.codice != 0) out += " [" + std::to_string(d.codice) + "]";
      out += "\n";
    }
    out += "\n'scenario explain NAME' or 'scenario explain CODE' tells more.\n";
    return stampa(out, uscita::ok);
  }
  // A status code: every finding that records it (25 has several causes).
  const bool numerico = che.find_first_not_of("0123456789") == std::string::npos;
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    const descrizione_reperto& d = descrivi(static_cast<reperto_id>(i));
    const std::string nome = che.rfind("-W", 0) == 0 ? che.substr(2) : che;
    if ((numerico && d.codice != 0 && std::to_string(d.codice) == che) ||
        d.nome == nome) {
      out += spiega(d);
    }
  }
  if (out.empty()) {
    return fallimento("no finding is called '" + che + "' (see 'scenario explain')");
  }
  return stampa(out, uscita::ok);
}

esecuzione registra_explain(CLI::App& c, const opzioni_globali&) {
  auto che = std::make_shared<std::string>();
  c.add_option("CODE", *che, "A status code (16) or a finding's name (signal-cell-taken)")
      ->type_name("");
  return [che] { return comando_explain(*che); };
}
