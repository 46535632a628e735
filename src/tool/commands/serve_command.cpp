// scenario serve: its options. What it runs is in serve_live.cpp, linked
// into scenario_serve, the tool with the live page's server; `scenario`
// itself hands the command over to that program (serve_handoff.cpp), so
// that no other command loads the server's libraries.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "tool/cli/commands.h"
#include "tool/cli/number_option.h"
#include "tool/cli/reading.h"

esecuzione registra_serve(CLI::App& c, const opzioni_globali& g) {
  auto o = std::make_shared<opzioni_serve>();
  opzioni_lettura(c, o->lettura, false);
  c.add_option("--port", o->porta,
               "The port to listen on at 127.0.0.1 (default 0: a free one, printed)")
      ->check(whole_number(0, 65535))
      ->type_name("N");
  c.footer(
      "Prints 'serving http://127.0.0.1:PORT/' and serves the page there until Ctrl-C. "
      "Exit status: 0 stopped, 2 a usage error, a document that cannot be read at the "
      "start, or a port that cannot be listened on.");
  return [o, &g] {
    o->lettura.colore = g.colore;
    return comando_serve(*o);
  };
}
