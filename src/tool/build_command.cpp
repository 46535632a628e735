// scenario build / check: the author's two documents are read where they
// lie, into memory, and never changed; the build runs in memory and its
// findings are shown. build then writes the three binary files.
#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <memory>

#include <cstdio>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "tool/commands.h"
#include "tool/exit_codes.h"
#include "tool/folder.h"
#include "tool/identifiers.h"
#include "tool/machine_report.h"
#include "tool/report.h"
#include "tool/text_report.h"
#include "track/binary_files.h"
#include "track/memorizza_percorso.h"

namespace {

// True when both paths name the same directory entry (or hard links of one
// file): writing the one would replace the other.
bool stessa_voce(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The output files of a build, named as the one-shot program names them.
std::vector<std::string> uscite(const scenario_state& st, const identificativi& id) {
  std::vector<std::string> out;
  for (file_kind k : {file_kind::line_plan, file_kind::scenario, file_kind::track}) {
    if (k == file_kind::line_plan && st.salva_linea == 0) continue;
    out.push_back(st.cartella + "/" + file_name(id.linea, id.treno, k));
  }
  return out;
}

// The options build and check share, read into `o`; the identifiers are
// taken only when given.
std::shared_ptr<opzioni_build> opzioni_lettura(CLI::App& c) {
  auto o = std::make_shared<opzioni_build>();
  c.add_option("LINE_SOURCE", o->sorgente_linea, "The line source, <line>_linea.txt")
      ->required()
      ->type_name("");
  c.add_option("TRAIN_SOURCE", o->sorgente_treno, "The train source, <line>_<train>-.txt")
      ->required()
      ->type_name("");
  c.add_flag("--no-plan", o->senza_tracciato, "Build without the line plan");
  c.add_option("-W", o->avvisi,
               "-Wno-NAME leaves out the warning NAME; -Werror makes warnings errors")
      ->type_name("");
  c.add_option("--format", o->formato, "How findings are shown: text, json or sarif")
      ->check(CLI::IsMember({"text", "json", "sarif"}))
      ->type_name("FORMAT");
  c.add_option_function<std::string>(
       "--line", [o](const std::string& v) { o->linea = v; },
       "The line identifier, when the line source's name does not give it")
      ->type_name("NAME");
  c.add_option_function<std::string>(
       "--train", [o](const std::string& v) { o->treno = v; },
       "The train identifier, when the train source's name does not give it")
      ->type_name("NAME");
  return o;
}

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

esecuzione registra_build(CLI::App& c, const opzioni_globali& g) {
  auto o = opzioni_lettura(c);
  c.add_option("-o,--output", o->cartella, "The folder to write into")->type_name("DIR");
  c.add_flag("--force", o->forza, "Write the binary files even when the documents hold errors");
  return [o, &g] {
    o->colore = g.colore;
    return comando_build(*o, true);
  };
}

esecuzione registra_check(CLI::App& c, const opzioni_globali& g) {
  auto o = opzioni_lettura(c);
  return [o, &g] {
    o->colore = g.colore;
    return comando_build(*o, false);
  };
}

int comando_build(const opzioni_build& o, bool scrivi) {
  regole_avvisi regole;
  std::string errore = leggi_avvisi(o.avvisi, regole);
  if (!errore.empty()) return fallimento(errore);
  identificativi id;
  errore = trova_identificativi(o.sorgente_linea, o.sorgente_treno, o.linea, o.treno, id);
  if (!errore.empty()) return fallimento(errore);

  scenario_state st;
  st.cartella = cartella_pulita(o.cartella);
  st.linea = id.linea_cp1252;
  st.treno = id.treno_cp1252;
  st.salva_linea = o.senza_tracciato ? 0 : 1;

  if (scrivi) {
    for (const std::string& uscita : uscite(st, id)) {
      for (const std::string* sorgente : {&o.sorgente_linea, &o.sorgente_treno}) {
        if (stessa_voce(uscita, *sorgente)) {
          return fallimento("the output '" + uscita + "' is the source document '" +
                            *sorgente + "' (write elsewhere with -o DIR)");
        }
      }
    }
  }

  std::string testo_linea, testo_treno;
  Status s = read_file(o.sorgente_linea, testo_linea);
  if (s.ok()) s = read_file(o.sorgente_treno, testo_treno);
  if (!s.ok()) return fallimento(s.message());

  std::vector<reperto> reperti;
  std::vector<provenienza_cella> provenienza;
  st.reperti = &reperti;
  st.provenienza = &provenienza;
  // Nothing is done with a document once read: the author's files stay.
  sorgenti_lettura sorgenti;
  sorgenti.linea = {o.sorgente_linea, stato_documento::presente, testo_linea};
  sorgenti.treno = {o.sorgente_treno, stato_documento::presente, testo_treno};
  const esito_build e = costruisci_scenario(st, sorgenti, st.salva_linea);

  const documenti_mostrati documenti{{o.sorgente_linea, testo_linea},
                                     {o.sorgente_treno, testo_treno}};
  reperti = filtra_avvisi(reperti, regole);
  conteggio_reperti conteggio = conta_reperti(reperti, regole);
  // A build that stopped always reports why; should a finding be missing,
  // the outcome itself is the error.
  if (e.tipo != esito::fatto && conteggio.errori == 0) {
    std::string perche = e.tipo == esito::errore ? "the build stopped with error " +
                                                       std::to_string(e.numero_errore)
                                                 : e.status.message();
    std::fprintf(stderr, "scenario: error: %s\n", perche.c_str());
  }
  if (o.formato == "json") {
    std::fputs(resa_json(reperti, documenti, st, regole).c_str(), stdout);
  } else if (o.formato == "sarif") {
    std::fputs(resa_sarif(reperti, documenti, st, regole).c_str(), stdout);
  } else {
    std::fputs(resa_testo(reperti, documenti, st, {o.colore, regole}).c_str(), stderr);
  }
  const bool errori = conteggio.errori > 0 || e.tipo != esito::fatto;
  if (!scrivi) return errori ? uscita::errori : uscita::ok;

  if (e.tipo != esito::fatto || (errori && !o.forza)) {
    std::fputs("scenario: no binary file written\n", stderr);
    return uscita::errori;
  }
  s = crea_cartella(st.cartella);
  if (!s.ok()) return fallimento(s.message());
  // The files are named with the identifiers as typed (UTF-8, like every
  // file name here); the scenario file keeps the Windows-1252 ones the
  // reader stored in it.
  st.linea = id.linea;
  st.treno = id.treno;
  s = scrivi_file_binari(st);
  if (!s.ok()) return fallimento(s.message());
  if (errori)
    std::fputs("scenario: binary files written despite the errors (--force)\n", stderr);
  return errori ? uscita::errori : uscita::ok;
}
