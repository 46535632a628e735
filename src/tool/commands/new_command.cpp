// scenario new DIR: the built-in scenario's source documents and crew
// documents, as a starting point for an author.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "documents/documents.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/platform/folder.h"

int comando_new(const opzioni_new& o) {
  scenario_state st;
  st.cartella = cartella_pulita(o.cartella);
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;

  struct documento_new {
    file_kind kind;
    Status (*scrivi)(const scenario_state&);
  };
  const documento_new documenti[] = {{file_kind::line_source, dati_linea},
                                     {file_kind::train_source, dati_treno},
                                     {file_kind::notes, dati_note},
                                     {file_kind::slowdown_form, dati_rallentamenti},
                                     {file_kind::train_sheet, dati_scheda}};

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
    s = d.scrivi(st);
    if (!s.ok()) return fallimento(s.message());
    if (stampa("wrote " + file_path(st, d.kind) + "\n", uscita::ok) != uscita::ok)
      return uscita::fallimento;
  }
  return uscita::ok;
}

esecuzione registra_new(CLI::App& c, const opzioni_globali&) {
  auto o = std::make_shared<opzioni_new>();
  c.add_option("DIR", o->cartella, "The folder, created if missing")
      ->required()
      ->type_name("");
  c.add_flag("--force", o->forza, "Replace files that already exist");
  c.footer(
      "Exit status: 0 the documents were written, 2 a usage error or a file or folder "
      "failure.");
  return [o] { return comando_new(*o); };
}
