// The tool's commands. Each command lives in a file of its own and adds
// itself to the command line with a `registra_*` function: it declares its
// options on the subcommand it is given and returns what to run once the
// line is parsed. Each run returns the exit status and says on stderr, in
// one line, what stopped it.
#pragma once

#include <functional>
#include <string>

#include "tool/session/options.h"

namespace CLI {
class App;
}

// Options every command sees, filled when the line is parsed.
struct opzioni_globali {
  bool colore = false;  // from --color and whether stderr is a terminal
};

// What a command runs once the command line is parsed.
using esecuzione = std::function<int()>;

esecuzione registra_build(CLI::App& app, const opzioni_globali& g);
esecuzione registra_check(CLI::App& app, const opzioni_globali& g);
esecuzione registra_new(CLI::App& app, const opzioni_globali& g);
esecuzione registra_explain(CLI::App& app, const opzioni_globali& g);
esecuzione registra_report(CLI::App& app, const opzioni_globali& g);
esecuzione registra_serve(CLI::App& app, const opzioni_globali& g);
esecuzione registra_dump(CLI::App& app, const opzioni_globali& g);
esecuzione registra_diff(CLI::App& app, const opzioni_globali& g);
esecuzione registra_blame(CLI::App& app, const opzioni_globali& g);

// What a finding means; every finding when `che` is empty.
int comando_explain(const std::string& che);

// build (`scrivi`) or check (nothing written).
int comando_build(const opzioni_build& o, bool scrivi);

int comando_new(const opzioni_new& o);

// The page with the plan and the profile (and the drawings as SVG files).
int comando_report(const opzioni_report& o);

// The report page served on this machine and kept up to date as the
// documents change, until the user stops it.
int comando_serve(const opzioni_serve& o);
