// scenario diff A B: two binary files of one kind compared record by
// record (composed by diff_view.h). Exit status 0 when they are equal, 1
// when they differ.
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/inspect/binary_input.h"
#include "tool/inspect/diff_view.h"

namespace {

int comando_diff(const opzioni_diff& o) {
  std::optional<tipo_binario> tipo;
  if (!o.tipo.empty()) {
    tipo = tipo_da_parola(o.tipo);
  } else {
    const auto ta = tipo_dal_nome(o.a), tb = tipo_dal_nome(o.b);
    for (const auto& [t, p] : {std::pair{ta, &o.a}, std::pair{tb, &o.b}}) {
      if (!t) {
        return fallimento("cannot tell the kind of '" + *p +
                          "' from its name (give it with --kind track|scenario|plan)");
      }
    }
    if (*ta != *tb) {
      return fallimento("'" + o.a + "' is a " + std::string(parola_tipo(*ta)) +
                        " file and '" + o.b + "' a " + std::string(parola_tipo(*tb)) +
                        " file: diff compares two files of one kind");
    }
    tipo = ta;
  }
  file_binario fa, fb;
  std::string errore = leggi_binario(o.a, *tipo, fa);
  if (errore.empty()) errore = leggi_binario(o.b, *tipo, fb);
  if (!errore.empty()) return fallimento(errore);
  // For track files, the kilometric progressive and the names from the
  // scenario file beside A, or else beside B.
  scenario_vicino vicino;
  if (*tipo == tipo_binario::percorso) {
    vicino = leggi_vicino(o.a);
    if (!vicino.letto) vicino = leggi_vicino(o.b);
  }
  const esito_diff r =
      resa_diff(o, fa, fb, vicino.letto ? &vicino.file.elementi : nullptr);
  return stampa(r.testo, r.diversi ? uscita::errori : uscita::ok);
}

}  // namespace

esecuzione registra_diff(CLI::App& c, const opzioni_globali&) {
  auto o = std::make_shared<opzioni_diff>();
  c.add_option("A", o->a, "The first file")->required()->type_name("");
  c.add_option("B", o->b, "The second file, of the same kind")->required()->type_name("");
  c.add_option("--kind", o->tipo,
               "The kind of both files, when their names do not tell it")
      ->check(CLI::IsMember({"track", "scenario", "plan"}))
      ->type_name("track|scenario|plan");
  c.add_option("--format", o->formato, "text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->type_name("FORMAT");
  c.footer(
      "Exit status: 0 the files are equal, 1 they differ, 2 a usage error or a file that "
      "cannot be read or is damaged.");
  return [o] { return comando_diff(*o); };
}
