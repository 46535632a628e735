// scenario explain [WORD]: what a finding means, a row that causes it and how
// to mend it, or what a row is, by name, status code or keyword (composed by
// diagnostics/explanation.h).
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/diagnostics/explanation.h"

int comando_explain(const std::string& che) {
  if (che.empty()) return stampa(indice_spiegazioni(), uscita::ok);
  const std::optional<std::string> testo = spiegazione(che);
  if (testo) return stampa(*testo, uscita::ok);
  const std::string vicino = nome_vicino(che);
  return fallimento("no finding, status code or row is called '" + che + "'" +
                    (vicino.empty() ? "" : "; did you mean '" + vicino + "'?") +
                    " (see 'scenario explain')");
}

esecuzione registra_explain(CLI::App& c, const opzioni_globali&) {
  auto che = std::make_shared<std::string>();
  c.add_option("WORD", *che,
               "A finding's name (signal-cell-taken), a status code (16), an error box's "
               "number (1250) or a row's keyword (stazione)")
      ->type_name("");
  c.footer(
      "Exit status: 0 the word was explained, 2 a word that names nothing, or a usage "
      "error.");
  return [che] { return comando_explain(*che); };
}
