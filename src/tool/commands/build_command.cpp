// scenario build / check: the author's two documents are read where they
// lie, into memory, and never changed; the build runs in memory and its
// findings are shown. build then writes the three binary files.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/cli/reading.h"
#include "tool/platform/folder.h"
#include "tool/platform/system.h"
#include "tool/session/in_memory_build.h"
#include "track/binary_files.h"

namespace {

// The output files of a build, named as the one-shot program names them.
std::vector<planned_output> uscite(const scenario_state& st, const identificativi& id) {
  std::vector<planned_output> out;
  for (file_kind k : {file_kind::line_plan, file_kind::scenario, file_kind::track}) {
    if (k == file_kind::line_plan && st.salva_linea == 0) continue;
    const char* cosa = k == file_kind::line_plan  ? "the line plan file"
                       : k == file_kind::scenario ? "the scenario file"
                                                  : "the track file";
    out.push_back({cosa, in_folder(st.cartella, file_name(id.linea, id.treno, k))});
  }
  return out;
}

}  // namespace

esecuzione registra_build(CLI::App& c, const opzioni_globali& g) {
  auto o = std::make_shared<opzioni_build>();
  opzioni_lettura(c, *o, true);
  c.add_option("-o,--output", o->cartella, "The folder to write into")->type_name("DIR");
  c.add_flag("--force", o->forza,
             "Write the binary files even when the documents hold errors");
  return [o, &g] {
    o->colore = g.colore;
    return comando_build(*o, true);
  };
}

esecuzione registra_check(CLI::App& c, const opzioni_globali& g) {
  auto o = std::make_shared<opzioni_build>();
  opzioni_lettura(c, *o, true);
  return [o, &g] {
    o->colore = g.colore;
    return comando_build(*o, false);
  };
}

int comando_build(const opzioni_build& o, bool scrivi) {
  costruzione_in_memoria c;
  std::string errore = prepara_costruzione(o, c);
  if (!errore.empty()) return fallimento(errore);
  scenario_state& st = c.st;
  if (scrivi && o.cartella == "-") {
    return fallimento(
        "build writes three files and cannot write them to stdout: name a folder with -o "
        "DIR");
  }
  errore = leggi_documenti(o, c);
  if (!errore.empty()) return fallimento(errore);
  // Every output checked before anything is built or written: none may be a
  // source document, nor take another output's name.
  if (scrivi) {
    errore = check_outputs(uscite(st, c.id), documenti_letti(o, c),
                           {"write elsewhere with -o DIR",
                            "give the train another identifier with --train NAME"});
    if (!errore.empty()) return fallimento(errore);
  }
  costruisci_testi(o, c);
  if (mostra_reperti(o, c) != uscita::ok) return uscita::fallimento;
  const bool errori = c.errori();
  // A build without errors ends with what it made.
  if (!scrivi) {
    if (errori) return uscita::errori;
    avvisa(riepilogo_costruito(conta_costruito(c)));
    return uscita::ok;
  }

  if (c.esito.tipo != esito::fatto || (errori && !o.forza)) {
    avvisa("no binary file written");
    return uscita::errori;
  }
  Status s = crea_cartella(st.cartella);
  if (!s.ok()) return fallimento(s.message());
  // The files are named with the identifiers as typed (UTF-8, like every
  // file name here); the scenario file keeps the Windows-1252 ones the
  // reader stored in it.
  st.linea = c.id.linea;
  st.treno = c.id.treno;
  s = scrivi_file_binari(st);
  if (!s.ok()) return fallimento(s.message());
  if (errori) {
    avvisa("binary files written despite the errors (--force)");
    return uscita::errori;
  }
  avvisa(
      riepilogo_costruito(conta_costruito(c), static_cast<int>(uscite(st, c.id).size())));
  return uscita::ok;
}
