// Test support: the built `scenario` tool run as a user runs it, in a folder
// of its own, stdin empty, its stdout, stderr and exit status captured.
#pragma once

#include <string>
#include <vector>

struct esito_tool {
  int stato = -1;
  std::string out, err;
  double secondi = 0;     // wall time of the run, shell included
  double processore = 0;  // processor time (user and system) of the run
};

// `s` quoted for the shell.
std::string quota(const std::string& s);

// The tool's command line with `argomenti`, quoted.
std::string riga_di_comando(const std::vector<std::string>& argomenti);

// Runs the tool in `cartella`; stdout and stderr go to files outside it.
// `ambiente` goes before the command (e.g. "NO_COLOR=1").
esito_tool esegui(const std::string& cartella, const std::vector<std::string>& argomenti,
                  const std::string& ambiente = "env -u NO_COLOR");

// The same with stdout sent where the shell's redirection `uscita` says
// (">/dev/full", ">&-" to close it); `out` stays empty.
esito_tool esegui_con_uscita(const std::string& cartella,
                             const std::vector<std::string>& argomenti,
                             const std::string& uscita);
