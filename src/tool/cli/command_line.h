// The tool's command line: scenario [--color=WHEN] build|check|new ...
#pragma once

#include <string>

// Parses the arguments, runs the command and returns the exit status.
// --help and --version print to stdout; a usage error, or output that could
// not be written to stdout, is one line on stderr and status 2.
int esegui_scenario(int argc, char** argv);

// The manual page scenario(1), man(7) source, from the same command line:
// every command with its options and exit statuses.
std::string pagina_scenario_1();
