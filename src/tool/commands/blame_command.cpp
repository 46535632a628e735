// scenario blame LINE_SOURCE TRAIN_SOURCE --at METRES: what a cell of the
// track holds, field by field, and for each field the source row that set
// it (file:line), as `git blame` tells which change wrote a line. The build
// runs in memory, as check runs it, and keeps for every cell the rows that
// set its fields: the same record the diagnostics' notes come from.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario/findings.h"
#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/cli/number_option.h"
#include "tool/cli/reading.h"
#include "tool/diagnostics/line_table.h"
#include "tool/inspect/blame_view.h"
#include "tool/platform/encoding.h"
#include "tool/platform/shown_text.h"
#include "tool/session/in_memory_build.h"

namespace {

struct opzioni_blame {
  opzioni_build lettura;  // the documents and identifiers, read as check reads them
  std::optional<int64_t> metri, cella, da, a;  // --at, --cell, --from, --to
  std::string formato = "text";
};

int comando_blame(const opzioni_blame& o) {
  const int modi = (o.metri ? 1 : 0) + (o.cella ? 1 : 0) + (o.da || o.a ? 1 : 0);
  if (modi != 1) {
    return fallimento(modi == 0
                          ? "give the place with --at METRES, --cell N or --from/--to"
                          : "give the place one way only: --at, --cell or --from/--to");
  }
  if (o.da && o.a && *o.da > *o.a) {
    return fallimento("--from " + std::to_string(*o.da) + " lies past --to " +
                      std::to_string(*o.a));
  }
  const opzioni_build& lettura = o.lettura;
  costruzione_in_memoria c;
  std::string errore = prepara_costruzione(lettura, c);
  if (errore.empty()) errore = esegui_costruzione(lettura, c);
  if (!errore.empty()) return fallimento(errore);
  const auto& celle = c.st.percorso;
  if (celle.empty()) {
    avvisa("error: no track to explain: " + c.esito.status.message());
    return uscita::errori;
  }

  // The cells asked for.
  const int64_t ultima = static_cast<int64_t>(celle.size()) - 1;
  int64_t da = 0, a = 0;
  if (o.cella) {
    da = a = *o.cella;
  } else if (o.metri) {
    da = a = *o.metri < 0 ? -1 : *o.metri / metri_cella;
  } else {
    da = o.da ? (*o.da + metri_cella - 1) / metri_cella : 0;
    if (o.da && *o.da < 0) da = 0;
    a = o.a ? (*o.a < 0 ? -1 : *o.a / metri_cella) : ultima;
  }
  if (da < 0 || da > ultima || a < da) {
    return fallimento("no cell of the track lies there: its cells are 0 to " +
                      std::to_string(ultima) + " (0 to " +
                      std::to_string(ultima * metri_cella) + " m)");
  }
  a = std::min(a, ultima);

  const conteggio_reperti conteggio = conta_reperti(c.reperti, c.regole);
  const bool errori = c.errori();
  const std::string out =
      resa_blame(c, c.documenti(lettura), {da, a, o.metri, o.formato == "json"});
  const int stato = stampa(out, errori ? uscita::errori : uscita::ok);
  if (stato != uscita::errori) return stato;
  const std::string perche =
      conteggio.errori > 0 ? "the documents hold " + std::to_string(conteggio.errori) +
                                 (conteggio.errori == 1 ? " error" : " errors")
                           : perche_fermata(c);
  avvisa(perche + " (see 'scenario check'): the cells are shown as the build left them");
  return stato;
}

}  // namespace

esecuzione registra_blame(CLI::App& c, const opzioni_globali&) {
  auto o = std::make_shared<opzioni_blame>();
  opzioni_lettura(c, o->lettura, false);
  c.add_option_function<int64_t>(
       "--at", [o](const int64_t& v) { o->metri = v; },
       "The cell at this many metres (cell i covers i * 50 m to i * 50 + 49 m)")
      ->check(metres())
      ->type_name("METRES");
  c.add_option_function<int64_t>(
       "--cell", [o](const int64_t& v) { o->cella = v; }, "The cell with this index")
      ->check(whole_number(0, 1'000'000'000))
      ->type_name("N");
  c.add_option_function<int64_t>(
       "--from", [o](const int64_t& v) { o->da = v; }, "The cells from this many metres")
      ->check(metres())
      ->type_name("METRES");
  c.add_option_function<int64_t>(
       "--to", [o](const int64_t& v) { o->a = v; }, "The cells up to this many metres")
      ->check(metres())
      ->type_name("METRES");
  c.add_option("--format", o->formato, "text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->type_name("FORMAT");
  return [o] { return comando_blame(*o); };
}
