// scenario report: the author's two documents built in memory, as check
// builds them, and shown as one HTML page with the plan map and the profile
// (and, with --svg, the two drawings as SVG files beside it). The page is
// written whatever the documents hold, so that their problems can be seen
// where they are; the status says whether they hold errors.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "base/file_io.h"
#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/cli/reading.h"
#include "tool/platform/encoding.h"
#include "tool/report/report_pages.h"
#include "tool/session/in_memory_build.h"

namespace {

// "out/r.html" -> "out/r": the SVG files are named after the page.
std::string senza_estensione(const std::string& file) {
  for (const char* e : {".html", ".htm", ".xhtml"}) {
    const std::string s = e;
    if (file.size() > s.size() &&
        file.compare(file.size() - s.size(), s.size(), s) == 0) {
      return file.substr(0, file.size() - s.size());
    }
  }
  return file;
}

}  // namespace

int comando_report(const opzioni_report& o) {
  costruzione_in_memoria c;
  opzioni_build lettura = o.lettura;
  lettura.senza_tracciato = false;  // the plan map needs the polyline
  std::string errore = prepara_costruzione(lettura, c);
  if (!errore.empty()) return fallimento(errore);

  // "-o -": the page on stdout, nothing written beside it.
  const bool su_stdout = o.file == "-";
  if (su_stdout && o.svg) {
    return fallimento(
        "--svg writes two files named after the page: name the page with -o FILE");
  }
  const std::string pagina =
      o.file.empty() ? c.id.linea + "_" + c.id.treno + ".html" : o.file;
  const std::string base = senza_estensione(pagina);
  const std::string file_pianta = base + "_plan.svg";
  const std::string file_profilo = base + "_profile.svg";
  std::vector<planned_output> uscite;
  if (!su_stdout) uscite.push_back({"the page", pagina});
  if (o.svg) {
    uscite.push_back({"the plan drawing", file_pianta});
    uscite.push_back({"the profile drawing", file_profilo});
  }
  errore = leggi_documenti(lettura, c);
  if (errore.empty())
    errore = check_outputs(uscite, documenti_letti(lettura, c),
                           {"name another file with -o FILE", ""});
  if (!errore.empty()) return fallimento(errore);
  costruisci_testi(lettura, c);
  if (mostra_reperti(lettura, c) != uscita::ok) return uscita::fallimento;

  const pagine_report pagine = crea_pagine_report(c, lettura, o.svg);
  if (su_stdout) {
    const int stato = stampa(pagine.pagina, uscita::ok);
    if (stato != uscita::ok) return stato;
    return c.errori() ? uscita::errori : uscita::ok;
  }
  Status s = replace_file(pagina, pagine.pagina);
  if (!s.ok()) return fallimento(s.message());
  if (stampa("wrote " + controlli_visibili(pagina) + "\n", uscita::ok) != uscita::ok)
    return uscita::fallimento;
  if (o.svg) {
    const std::string* file = &file_pianta;
    for (const std::string* svg : {&pagine.pianta, &pagine.profilo}) {
      if (svg->empty()) {
        avvisa("the documents give nothing to draw in '" + *file + "'");
      } else {
        s = replace_file(*file, *svg);
        if (!s.ok()) return fallimento(s.message());
        if (stampa("wrote " + controlli_visibili(*file) + "\n", uscita::ok) != uscita::ok)
          return uscita::fallimento;
      }
      file = &file_profilo;
    }
  }
  return c.errori() ? uscita::errori : uscita::ok;
}

esecuzione registra_report(CLI::App& c, const opzioni_globali& g) {
  auto o = std::make_shared<opzioni_report>();
  opzioni_lettura(c, o->lettura, false);
  c.add_option(
       "-o,--output", o->file,
       "The page to write (default: <line>_<train>.html in the current folder; - for "
       "stdout)")
      ->type_name("FILE");
  c.add_flag("--svg", o->svg,
             "Write the plan and the profile as SVG files as well, named after the page "
             "(<page>_plan.svg, <page>_profile.svg)");
  return [o, &g] {
    o->lettura.colore = g.colore;
    return comando_report(*o);
  };
}
