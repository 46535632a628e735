// What every command that reads the author's documents shares on the
// command line: the options that name them and shape the findings, and the
// findings printed as --format asks.
#pragma once

#include "tool/session/in_memory_build.h"
#include "tool/session/options.h"

namespace CLI {
class App;
}

// Every finding in the form --format asks for (text on stderr, JSON or
// SARIF on stdout), the text preceded by the reason a build stopped without
// a finding that says so. Returns uscita::ok, or the failure status once
// the line saying that stdout could not be written is on stderr.
int mostra_reperti(const opzioni_build& o, const costruzione_in_memoria& c);

// The options every command that reads the documents takes, declared on `c`
// and read into `o`: --no-plan and --format only `per_build` (build and
// check). The identifiers are taken only when given. `o` must outlive the
// parsing.
void opzioni_lettura(CLI::App& c, opzioni_build& o, bool per_build);
