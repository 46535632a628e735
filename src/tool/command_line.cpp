#include "tool/command_line.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tool/commands.h"
#include "tool/exit_codes.h"
#include "tool/options.h"

namespace {

// The options build and check share.
void opzioni_lettura(CLI::App& c, opzioni_build& o, std::string& linea,
                     std::string& treno, CLI::Option*& opzione_linea,
                     CLI::Option*& opzione_treno) {
  c.add_option("LINE_SOURCE", o.sorgente_linea, "The line source, <line>_linea.txt")
      ->required()
      ->type_name("");
  c.add_option("TRAIN_SOURCE", o.sorgente_treno, "The train source, <line>_<train>-.txt")
      ->required()
      ->type_name("");
  c.add_flag("--no-plan", o.senza_tracciato, "Build without the line plan");
  opzione_linea = c.add_option("--line", linea,
                               "The line identifier, when the line source's name does "
                               "not give it")
                      ->type_name("NAME");
  opzione_treno = c.add_option("--train", treno,
                               "The train identifier, when the train source's name does "
                               "not give it")
                      ->type_name("NAME");
}

int errore_di_uso(const CLI::App& app, const CLI::ParseError& e) {
  std::string messaggio = e.what();
  // No command: a word that is none, or an unknown option, says more than
  // the missing command.
  if (app.get_subcommands().empty() && dynamic_cast<const CLI::RequiredError*>(&e)) {
    std::vector<std::string> resto = app.remaining();
    messaggio = resto.empty()
                    ? "a command is required: build, check or new"
                    : "the following argument was not expected: " + resto.front();
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
  return ::isatty(STDERR_FILENO) == 1 && std::getenv("NO_COLOR") == nullptr;
}

}  // namespace

int esegui_scenario(int argc, char** argv) {
  CLI::App app{
      "Checks the source documents of a train-driving scenario and builds the binary "
      "files the simulator loads.",
      "scenario"};
  app.set_version_flag("--version", "scenario " SCENARIO_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 no error in the documents, 1 errors in the documents, 2 a usage "
      "error or a file failure.");
  std::string quando = "auto";
  app.add_option("--color", quando, "Colour the diagnostics: auto, always or never")
      ->check(CLI::IsMember({"auto", "always", "never"}))
      ->type_name("WHEN");

  opzioni_build build;
  std::string linea, treno;
  CLI::Option *build_linea = nullptr, *build_treno = nullptr;
  CLI::App* c_build = app.add_subcommand(
      "build", "Read the two source documents and write the three binary files");
  opzioni_lettura(*c_build, build, linea, treno, build_linea, build_treno);
  c_build->add_option("-o,--output", build.cartella, "The folder to write into")
      ->type_name("DIR");
  c_build->add_flag("--force", build.forza,
                    "Write the binary files even when the documents hold errors");

  opzioni_build check;
  CLI::Option *check_linea = nullptr, *check_treno = nullptr;
  CLI::App* c_check = app.add_subcommand(
      "check", "Read the two source documents and report what is wrong; write nothing");
  opzioni_lettura(*c_check, check, linea, treno, check_linea, check_treno);

  opzioni_new nuovo;
  CLI::App* c_new = app.add_subcommand(
      "new",
      "Write the built-in scenario's documents into a folder, as a starting point");
  c_new->add_option("DIR", nuovo.cartella, "The folder, created if missing")
      ->required()
      ->type_name("");
  c_new->add_flag("--force", nuovo.forza, "Replace files that already exist");

  for (CLI::App* c : {c_build, c_check, c_new}) c->fallthrough();

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, std::cout, std::cerr);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, std::cout, std::cerr);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, std::cout, std::cerr);
  } catch (const CLI::ParseError& e) {
    return errore_di_uso(app, e);
  }

  if (c_new->parsed()) return comando_new(nuovo);
  bool scrivi = c_build->parsed();
  opzioni_build& o = scrivi ? build : check;
  CLI::Option* opzione_linea = scrivi ? build_linea : check_linea;
  CLI::Option* opzione_treno = scrivi ? build_treno : check_treno;
  if (opzione_linea->count() > 0) o.linea = linea;
  if (opzione_treno->count() > 0) o.treno = treno;
  o.colore = colore_per(quando);
  return comando_build(o, scrivi);
}
