#include "tool/in_memory_build.h"

#include <CLI/CLI.hpp>
#include <cstdio>

#include "base/file_io.h"
#include "tool/encoding.h"
#include "tool/exit_codes.h"
#include "tool/folder.h"
#include "tool/machine_report.h"
#include "tool/number_option.h"
#include "tool/standard_output.h"
#include "tool/system.h"
#include "tool/text_report.h"

namespace {

// The -W options as rules; a usage error for a name no warning has.
std::string leggi_avvisi(const std::vector<std::string>& valori, regole_avvisi& regole) {
  for (const std::string& v : valori) {
    if (v == "error") {
      regole.come_errori = true;
      continue;
    }
    const std::string nome = v.rfind("no-", 0) == 0 ? v.substr(3) : v;
    const reperto_id id = reperto_per_nome(nome);
    if (id == reperto_id::numero || descrivi(id).livello != gravita::avviso) {
      return "-W" + v + ": no warning is called '" + nome + "' (see 'scenario explain')";
    }
    // -WNAME keeps a warning on, as it is by default.
    if (v.rfind("no-", 0) == 0) regole.spenti.push_back(id);
  }
  return "";
}

}  // namespace

bool costruzione_in_memoria::errori() const {
  return conta_reperti(reperti, regole).errori > 0 || esito.tipo != esito::fatto;
}

std::string prepara_costruzione(const opzioni_build& o, costruzione_in_memoria& c) {
  std::string errore = leggi_avvisi(o.avvisi, c.regole);
  if (!errore.empty()) return errore;
  errore =
      trova_identificativi(o.sorgente_linea, o.sorgente_treno, o.linea, o.treno, c.id);
  if (!errore.empty()) return errore;
  c.st.cartella = cartella_pulita(o.cartella);
  c.st.linea = c.id.linea_cp1252;
  c.st.treno = c.id.treno_cp1252;
  c.st.salva_linea = o.senza_tracciato ? 0 : 1;
  return "";
}

std::string leggi_documenti(const opzioni_build& o, costruzione_in_memoria& c) {
  Status s =
      read_file(o.sorgente_linea, c.testo_linea, {massimo_documento, &c.file_linea});
  if (s.ok())
    s = read_file(o.sorgente_treno, c.testo_treno, {massimo_documento, &c.file_treno});
  return s.message();
}

std::vector<read_document> documenti_letti(const opzioni_build& o,
                                           const costruzione_in_memoria& c) {
  return {{o.sorgente_linea, c.file_linea}, {o.sorgente_treno, c.file_treno}};
}

std::string esegui_costruzione(const opzioni_build& o, costruzione_in_memoria& c) {
  std::string errore = leggi_documenti(o, c);
  if (errore.empty()) costruisci_testi(o, c);
  return errore;
}

void costruisci_testi(const opzioni_build& o, costruzione_in_memoria& c) {
  c.st.reperti = &c.reperti;
  c.st.provenienza = &c.provenienza;
  // Nothing is done with a document once read: the author's files stay.
  sorgenti_lettura sorgenti;
  sorgenti.linea = {o.sorgente_linea, stato_documento::presente, c.testo_linea};
  sorgenti.treno = {o.sorgente_treno, stato_documento::presente, c.testo_treno};
  c.esito = costruisci_scenario(c.st, sorgenti, c.st.salva_linea);
  c.reperti = filtra_avvisi(c.reperti, c.regole);
}

std::string perche_fermata(const costruzione_in_memoria& c) {
  // A build that stopped always reports why; should a finding be missing,
  // the outcome itself is the error.
  if (c.esito.tipo == esito::fatto || conta_reperti(c.reperti, c.regole).errori > 0)
    return "";
  return c.esito.tipo == esito::errore
             ? "the build stopped with error " + std::to_string(c.esito.numero_errore)
             : c.esito.status.message();
}

int mostra_reperti(const opzioni_build& o, const costruzione_in_memoria& c) {
  const std::string perche = perche_fermata(c);
  if (!perche.empty())
    std::fprintf(stderr, "scenario: error: %s\n", controlli_visibili(perche).c_str());
  const documenti_mostrati documenti = c.documenti(o);
  const reperti_scelti scelti =
      scegli_reperti(c.reperti, c.regole, {o.limite_errori, o.limite_avvisi});
  if (o.formato == "json") {
    return stampa(resa_json(scelti.mostrati, documenti, c.st, c.regole, scelti.omessi),
                  uscita::ok);
  }
  if (o.formato == "sarif") {
    return stampa(resa_sarif(scelti.mostrati, documenti, c.st, c.regole, scelti.omessi),
                  uscita::ok);
  }
  // Each finding goes out as soon as it is rendered.
  opzioni_testo testo{o.colore, c.regole};
  testo.riepilogo = false;
  scrivi_testo(scelti.mostrati, documenti, c.st, testo,
               [](const std::string& s) { std::fputs(s.c_str(), stderr); });
  const conteggio_reperti& omessi = scelti.omessi;
  if (omessi.errori + omessi.avvisi > 0) {
    std::string quanti;
    if (omessi.errori > 0) quanti = std::to_string(omessi.errori) + " more errors";
    if (omessi.errori > 0 && omessi.avvisi > 0) quanti += " and ";
    if (omessi.avvisi > 0) quanti += std::to_string(omessi.avvisi) + " more warnings";
    std::fprintf(stderr,
                 "scenario: note: %s not shown (--error-limit=0 and --warning-limit=0 "
                 "show them all)\n",
                 quanti.c_str());
  }
  std::fputs(riepilogo(conta_reperti(c.reperti, c.regole)).c_str(), stderr);
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
