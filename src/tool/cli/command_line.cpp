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

int esegui_scenario(int argc, char** argv) {
  CLI::App app{
      "Checks the source documents of a train-driving scenario and builds the binary "
      "files the simulator loads.",
      "scenario"};
  app.set_version_flag("--version", "scenario " SCENARIO_VERSION);
  app.require_subcommand(0, 1);
  std::string spiegare;
  CLI::Option* opzione_spiegare =
      app.add_option("--explain", spiegare, "The same as 'scenario explain WORD'")
          ->type_name("WORD");
  app.footer(
      "Exit status: 0 no error in the documents, 1 errors in the documents, 2 a usage "
      "error or a file failure.");
  std::string quando = "auto";
  app.add_option("--color", quando, "Colour the diagnostics: auto, always or never")
      ->check(CLI::IsMember({"auto", "always", "never"}))
      ->type_name("WHEN");

  opzioni_globali globali;
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
       "Write the built-in scenario's documents into a folder, as a starting point",
       registra_new},
      {"explain", "Tell what a finding (by name or number) or a row (by keyword) means",
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
  std::vector<std::pair<CLI::App*, esecuzione>> registrati;
  for (const voce& v : comandi) {
    CLI::App* c = app.add_subcommand(v.nome, v.descrizione);
    c->fallthrough();
    registrati.emplace_back(c, v.registra(*c, globali));
  }

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
