// scenario dump FILE: one of the three binary files decoded, every record by
// what it means, as text or JSON (composed by dump_view.h).
#include <CLI/CLI.hpp>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/cli/number_option.h"
#include "tool/inspect/binary_input.h"
#include "tool/inspect/dump_view.h"

namespace {

int comando_dump(const opzioni_dump& o) {
  std::optional<tipo_binario> tipo =
      o.tipo.empty() ? tipo_dal_nome(o.file) : tipo_da_parola(o.tipo);
  if (!tipo) {
    return fallimento("cannot tell the kind of '" + o.file +
                      "' from its name (give it with --kind track|scenario|plan)");
  }
  if (o.da && o.a && *o.da > *o.a) {
    return fallimento("--from " + std::to_string(*o.da) + " lies past --to " +
                      std::to_string(*o.a));
  }
  if ((o.da || o.a) && *tipo == tipo_binario::elementi) {
    return fallimento("--from and --to apply to the track and the line plan file");
  }
  if (o.punti && *tipo != tipo_binario::tracciato) {
    return fallimento("--points applies to the line plan file");
  }
  file_binario f;
  const std::string errore = leggi_binario(o.file, *tipo, f);
  if (!errore.empty()) return fallimento(errore);
  // The scenario file beside a track file gives its progressive and names.
  const scenario_vicino vicino =
      *tipo == tipo_binario::percorso ? leggi_vicino(o.file) : scenario_vicino{};
  return stampa(resa_dump(o, f, vicino), uscita::ok);
}

}  // namespace

esecuzione registra_dump(CLI::App& c, const opzioni_globali&) {
  auto o = std::make_shared<opzioni_dump>();
  c.add_option("FILE", o->file, "A track, scenario or line plan file")
      ->required()
      ->type_name("");
  c.add_option("--kind", o->tipo, "The kind of file, when its name does not tell it")
      ->check(CLI::IsMember({"track", "scenario", "plan"}))
      ->type_name("track|scenario|plan");
  c.add_option("--format", o->formato, "text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->type_name("FORMAT");
  c.add_option_function<int64_t>(
       "--from", [o](const int64_t& v) { o->da = v; },
       "Only cells (or points) from this many metres")
      ->check(metres())
      ->type_name("METRES");
  c.add_option_function<int64_t>(
       "--to", [o](const int64_t& v) { o->a = v; },
       "Only cells (or points) up to this many metres")
      ->check(metres())
      ->type_name("METRES");
  c.add_flag("--points", o->punti, "List every point of the line plan file");
  c.footer(
      "Exit status: 0 the file was shown, 2 a usage error or a file that cannot be read "
      "or is damaged.");
  return [o] { return comando_dump(*o); };
}
