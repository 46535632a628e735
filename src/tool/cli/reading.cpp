#include "tool/cli/reading.h"

#include <CLI/CLI.hpp>

#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/cli/number_option.h"
#include "tool/diagnostics/machine_report.h"
#include "tool/diagnostics/text_report.h"

int mostra_reperti(const opzioni_build& o, const costruzione_in_memoria& c) {
  const std::string perche = perche_fermata(c);
  if (!perche.empty()) avvisa("error: " + perche);
  const documenti_mostrati documenti = c.documenti(o);
  source_index sorgenti(documenti);
  const diagnostic_renderer renderer(sorgenti, c.st, c.regole);
  const reperti_scelti scelti =
      scegli_reperti(c.reperti, c.regole, {o.limite_errori, o.limite_avvisi});
  if (o.formato == "json") {
    return stampa(resa_json(renderer.render(scelti.mostrati), scelti.omessi), uscita::ok);
  }
  if (o.formato == "sarif") {
    return stampa(resa_sarif(renderer.render(scelti.mostrati), scelti.omessi),
                  uscita::ok);
  }
  // Each finding goes out as soon as it is rendered.
  for (const reperto& r : scelti.mostrati)
    scrivi_su_stderr(testo_diagnostica(renderer.render(r), o.colore));
  const conteggio_reperti& omessi = scelti.omessi;
  if (omessi.errori + omessi.avvisi > 0) {
    std::string quanti;
    if (omessi.errori > 0) quanti = std::to_string(omessi.errori) + " more errors";
    if (omessi.errori > 0 && omessi.avvisi > 0) quanti += " and ";
    if (omessi.avvisi > 0) quanti += std::to_string(omessi.avvisi) + " more warnings";
    avvisa("note: " + quanti +
           " not shown (--error-limit=0 and --warning-limit=0 show them all)");
  }
  scrivi_su_stderr(riepilogo(conta_reperti(c.reperti, c.regole)));
  return uscita::ok;
}

void opzioni_lettura(CLI::App& c, opzioni_build& o, bool per_build) {
  c.add_option("LINE_SOURCE", o.sorgente_linea, "The line source, <line>_linea.txt")
      ->required()
      ->type_name("");
  c.add_option("TRAIN_SOURCE", o.sorgente_treno, "The train source, <line>_<train>-.txt")
      ->required()
      ->type_name("");
  if (per_build)
    c.add_flag("--no-plan", o.senza_tracciato, "Build without the line plan");
  // One value to each -W, as compilers take them: the words after it are
  // the sources or other options, wherever it stands.
  c.add_option("-W", o.avvisi,
               "-Wno-NAME leaves out the warning NAME; -Werror makes warnings errors")
      ->allow_extra_args(false)
      ->type_name("");
  c.add_option("--error-limit", o.limite_errori,
               "Show at most N errors (default 20; 0 shows all)")
      ->check(whole_number(0, 1'000'000'000))
      ->type_name("N");
  c.add_option("--warning-limit", o.limite_avvisi,
               "Show at most N warnings (default 100; 0 shows all)")
      ->check(whole_number(0, 1'000'000'000))
      ->type_name("N");
  if (per_build) {
    c.add_option("--format", o.formato, "How findings are shown: text, json or sarif")
        ->check(CLI::IsMember({"text", "json", "sarif"}))
        ->type_name("FORMAT");
  }
  c.add_option_function<std::string>(
       "--line", [&o](const std::string& v) { o.linea = v; },
       "The line identifier, when the line source's name does not give it")
      ->type_name("NAME");
  c.add_option_function<std::string>(
       "--train", [&o](const std::string& v) { o.treno = v; },
       "The train identifier, when the train source's name does not give it")
      ->type_name("NAME");
}
