#include "tool/cli/command_line.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/diagnostics/row_reference.h"
#include "tool/platform/system.h"
#include "tool/session/options.h"

namespace {

// "build, check or new".
std::string nomi_comandi(const CLI::App& app) {
  std::vector<std::string> nomi;
  for (const CLI::App* c : app.get_subcommands({})) nomi.push_back(c->get_name());
  std::string out;
  for (size_t i = 0; i < nomi.size(); ++i) {
    if (i > 0) out += i + 1 == nomi.size() ? " or " : ", ";
    out += nomi[i];
  }
  return out;
}

int errore_di_uso(const CLI::App& app, const CLI::ParseError& e) {
  std::string messaggio = e.what();
  // No command: a word that is none, or an unknown option, says more than
  // the missing command.
  if (app.get_subcommands().empty() && dynamic_cast<const CLI::RequiredError*>(&e)) {
    std::vector<std::string> resto = app.remaining();
    messaggio = resto.empty()
                    ? "a command is required: " + nomi_comandi(app)
                    : "the following argument was not expected: " + resto.front();
  }
  // An option given without its value: CLI11 says "-W: 1 required  missing".
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr &&
      messaggio.find(" missing") != std::string::npos) {
    messaggio = messaggio.substr(0, messaggio.find(':')) + " needs a value";
  }
  // A sentence goes on in lower case after "scenario: "; a name such as
  // LINE_SOURCE stays as it is.
  if (messaggio.size() > 1 && std::islower(static_cast<unsigned char>(messaggio[1]))) {
    messaggio[0] =
        static_cast<char>(std::tolower(static_cast<unsigned char>(messaggio[0])));
  }
  std::string aiuto = "scenario";
  for (const CLI::App* c = &app; !c->get_subcommands().empty();) {
    c = c->get_subcommands().front();
    aiuto += " " + c->get_name();
  }
  return fallimento(messaggio + " (see '" + aiuto + " --help')");
}

bool colore_per(const std::string& quando) {
  if (quando == "always") return true;
  if (quando == "never") return false;
  return colour_terminal() && std::getenv("NO_COLOR") == nullptr;
}

}  // namespace

// The command line: the program's options and every command with its own.
struct linea_di_comando {
  CLI::App app{
      "Checks the source documents of a train-driving scenario and builds the binary "
      "files the simulator loads.",
      "scenario"};
  std::string spiegare;
  CLI::Option* opzione_spiegare = nullptr;
  std::string quando = "auto";
  opzioni_globali globali;
  std::vector<std::pair<CLI::App*, esecuzione>> registrati;

  linea_di_comando() {
    app.set_version_flag("--version", "scenario " SCENARIO_VERSION);
    app.require_subcommand(0, 1);
    opzione_spiegare =
        app.add_option("--explain", spiegare, "The same as 'scenario explain WORD'")
            ->type_name("WORD");
    app.footer(
        "Exit status: 0 no error in the documents, 1 errors in the documents, 2 a usage "
        "error or a file failure.");
    app.add_option("--color", quando, "Colour the diagnostics: auto, always or never")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->type_name("WHEN");

    // Each command: the subcommand's name, what it is for, how it registers.
    struct voce {
      const char* nome;
      const char* descrizione;
      esecuzione (*registra)(CLI::App&, const opzioni_globali&);
    };
    const voce comandi[] = {
        {"build", "Read the two source documents and write the three binary files",
         registra_build},
        {"check", "Read the two source documents and report what is wrong; write nothing",
         registra_check},
        {"new",
         "Write a scenario's five documents into a folder, as a starting point: the "
         "built-in one, or a blank pair with one row of each kind",
         registra_new},
        {"explain",
         "Tell what a finding (by name or number), a row (by keyword) or a block means",
         registra_explain},
        {"report",
         "Read the two source documents and write a page with the plan and the profile",
         registra_report},
        {"serve",
         "Serve the report page on this machine and update it as the documents are "
         "saved",
         registra_serve},
        {"dump", "Show what a track, scenario or line plan file holds", registra_dump},
        {"diff", "Compare two binary files of one kind, field by field", registra_diff},
        {"blame", "Show which source row set each field of a place on the track",
         registra_blame},
    };
    for (const voce& v : comandi) {
      CLI::App* c = app.add_subcommand(v.nome, v.descrizione);
      c->fallthrough();
      registrati.emplace_back(c, v.registra(*c, globali));
    }
  }
};

int esegui_scenario(int argc, char** argv) {
  linea_di_comando l;
  CLI::App& app = l.app;
  std::string& spiegare = l.spiegare;
  CLI::Option* opzione_spiegare = l.opzione_spiegare;
  std::string& quando = l.quando;
  opzioni_globali& globali = l.globali;
  auto& registrati = l.registrati;

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    // --help or --version: written as any other output.
    std::ostringstream testo, errori;
    const int stato = app.exit(e, testo, errori);
    return stampa(testo.str(), stato);
  } catch (const CLI::ParseError& e) {
    return errore_di_uso(app, e);
  }

  globali.colore = colore_per(quando);
  if (opzione_spiegare->count() > 0) return comando_explain(spiegare);
  for (auto& [c, esegui] : registrati) {
    if (c->parsed()) return esegui();
  }
  return fallimento("a command is required: " + nomi_comandi(app) +
                    " (see 'scenario --help')");
}

// --- the manual page scenario(1) -------------------------------------------

namespace {

// "--line NAME", "DIR", "-W VALUE".
std::string nome_opzione(const CLI::Option* o) {
  std::string nome = o->get_positional() ? o->get_name(true) : o->get_name(false, true);
  std::string valore = o->get_type_name();
  valore = valore.substr(0, valore.find(':'));  // without the validator's list
  if (!o->get_positional() && !valore.empty() && o->get_expected_max() != 0)
    nome += " " + valore;
  return nome;
}

std::vector<parte_riferimento> opzioni_di(const CLI::App& c) {
  std::vector<parte_riferimento> out;
  for (const CLI::Option* o : c.get_options()) {
    if (o == c.get_help_ptr() || o->get_description().empty()) continue;
    parte_riferimento v;
    v.t = parte_riferimento::tipo::voce;
    v.testo = "`" + nome_opzione(o) + "`";
    std::string d = o->get_description();
    if (!d.empty() && d.back() != '.') d += '.';
    v.righe = {d};
    out.push_back(std::move(v));
  }
  return out;
}

parte_riferimento paragrafo_man(std::string testo) {
  parte_riferimento p;
  p.testo = std::move(testo);
  return p;
}

}  // namespace

std::string pagina_scenario_1() {
  linea_di_comando l;
  riferimento r;
  const auto titolo = [&](int livello, std::string testo) {
    parte_riferimento p;
    p.t = parte_riferimento::tipo::titolo;
    p.livello = livello;
    p.testo = std::move(testo);
    r.push_back(std::move(p));
  };
  titolo(2, "Synopsis");
  r.push_back(paragrafo_man("`scenario` [`--color` WHEN] COMMAND [OPTIONS] [ARGUMENTS]"));
  r.push_back(paragrafo_man("`scenario` `--explain` WORD | `--help` | `--version`"));
  titolo(2, "Description");
  r.push_back(paragrafo_man(l.app.get_description()));
  r.push_back(paragrafo_man(
      "The author's tool of scenario_build. It works on an author's source documents "
      "where they lie and never changes, moves or deletes them; findings go to stderr in "
      "the compilers' form. What every row of the documents holds is in "
      "scenario-documents(5), and `scenario explain` tells it too."));
  titolo(2, "Options");
  for (parte_riferimento& p : opzioni_di(l.app)) r.push_back(std::move(p));
  titolo(2, "Commands");
  for (const auto& [c, esegui] : l.registrati) {
    std::string uso = "scenario " + c->get_name();
    for (const CLI::Option* o : c->get_options()) {
      if (o->get_positional()) uso += " " + o->get_name(true);
    }
    titolo(3, uso);
    r.push_back(paragrafo_man(c->get_description() + "."));
    for (parte_riferimento& p : opzioni_di(*c)) r.push_back(std::move(p));
    if (!c->get_footer().empty()) r.push_back(paragrafo_man(c->get_footer()));
  }
  titolo(2, "Exit status");
  r.push_back(paragrafo_man(l.app.get_footer()));
  titolo(2, "Examples");
  parte_riferimento esempi;
  esempi.t = parte_riferimento::tipo::codice;
  esempi.righe = {
      "scenario new mia --blank --line Mia --train Prova",
      "scenario check mia/Mia_linea.txt mia/Mia_Prova-.txt",
      "scenario build mia/Mia_linea.txt mia/Mia_Prova-.txt -o out",
      "scenario explain segnale",
      "scenario explain signal-cell-taken",
  };
  r.push_back(std::move(esempi));
  titolo(2, "See also");
  r.push_back(paragrafo_man("scenario-documents(5), scenario_build's README."));
  return come_man(r, "scenario", 1,
                  "check and build the documents of a train-driving scenario");
}
