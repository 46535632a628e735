// scenario new DIR: a scenario's five documents as a starting point for an
// author, the built-in one or the blank pair, under the built-in names or the
// author's own (--line, --train).
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>
#include <vector>

#include "documents/documents.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/platform/folder.h"
#include "tool/platform/identifiers.h"

namespace {

// What new can write, for --list.
constexpr const char* elenco =
    "scenario new DIR writes one of these, each as its five documents (the line and "
    "train sources, the notes, the slowdown order form and the train sheet):\n"
    "  built-in  the built-in scenario (the default): the line Vardelia, 334 km from "
    "Roma\n"
    "            Termini to Pisa Centrale, and the train run Corvessa over it, with 45\n"
    "            stations, 179 signals and 79 code points\n"
    "  blank     --blank: the smallest pair that builds with no finding, every block in\n"
    "            order and one row of each kind (two stations), on a line of 10 km\n"
    "Either is named <line>_linea.txt, <line>_<train>-.txt, ... after --line and "
    "--train\n"
    "(default Vardelia and Corvessa); 'scenario explain KEYWORD' tells what a row "
    "holds.\n";

}  // namespace

int comando_new(const opzioni_new& o) {
  if (o.elenco) return stampa(elenco, uscita::ok);
  if (o.cartella.empty())
    return fallimento("DIR is required (see 'scenario new --help')");

  // The names as typed name the files; the documents hold them in
  // Windows-1252.
  identificativi id;
  const std::string errore =
      trova_identificativi("", "", o.linea.value_or(identificativo_linea),
                           o.treno.value_or(identificativo_treno), id);
  if (!errore.empty()) return fallimento(errore);
  const nomi_scenario nomi{id.linea_cp1252, id.treno_cp1252};

  scenario_state st;
  st.cartella = cartella_pulita(o.cartella);
  st.linea = id.linea;
  st.treno = id.treno;

  struct documento_new {
    file_kind kind;
    std::function<Status()> scrivi;
  };
  std::vector<documento_new> documenti;
  if (o.vuoto) {
    documenti = {
        {file_kind::line_source, [&] { return dati_linea_vuota(st); }},
        {file_kind::train_source, [&] { return dati_treno_vuoto(st); }},
        {file_kind::notes, [&] { return dati_note_vuote(st, nomi); }},
        {file_kind::slowdown_form, [&] { return dati_rallentamenti_vuoti(st, nomi); }},
        {file_kind::train_sheet, [&] { return dati_scheda_vuota(st, nomi); }}};
  } else {
    documenti = {{file_kind::line_source, [&] { return dati_linea(st); }},
                 {file_kind::train_source, [&] { return dati_treno(st); }},
                 {file_kind::notes, [&] { return dati_note(st); }},
                 {file_kind::slowdown_form, [&] { return dati_rallentamenti(st); }},
                 {file_kind::train_sheet, [&] { return dati_scheda(st); }}};
  }

  // Every name is checked before anything is written, so a refusal leaves
  // the folder as it was.
  if (!o.forza) {
    for (const documento_new& d : documenti) {
      std::string path = file_path(st, d.kind);
      std::error_code ec;
      auto tipo = std::filesystem::symlink_status(percorso_fs(path), ec).type();
      if (tipo != std::filesystem::file_type::not_found &&
          tipo != std::filesystem::file_type::none) {
        return fallimento("'" + path + "' already exists (use --force to replace it)");
      }
    }
  }
  Status s = crea_cartella(st.cartella);
  if (!s.ok()) return fallimento(s.message());
  for (const documento_new& d : documenti) {
    s = d.scrivi();
    if (!s.ok()) return fallimento(s.message());
    if (stampa("wrote " + file_path(st, d.kind) + "\n", uscita::ok) != uscita::ok)
      return uscita::fallimento;
  }
  return uscita::ok;
}

esecuzione registra_new(CLI::App& c, const opzioni_globali&) {
  auto o = std::make_shared<opzioni_new>();
  c.add_option("DIR", o->cartella, "The folder, created if missing")->type_name("");
  c.add_flag("--blank", o->vuoto,
             "The smallest pair that builds with no finding, one row of each kind, "
             "instead of the built-in scenario");
  c.add_option("--line", o->linea,
               "The line identifier, as typed (default Vardelia); it names the files and "
               "is stored in Windows-1252")
      ->type_name("NAME");
  c.add_option("--train", o->treno, "The train identifier, as typed (default Corvessa)")
      ->type_name("NAME");
  c.add_flag("--force", o->forza, "Replace files that already exist");
  c.add_flag("--list", o->elenco, "Name what new can write, and write nothing");
  c.footer(
      "Exit status: 0 the documents were written (or listed), 2 a usage error or a file "
      "or folder failure.");
  return [o] { return comando_new(*o); };
}
