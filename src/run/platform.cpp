#include "run/platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>

platform terminal_platform() {
  platform p;
  p.mostra_finestra = [](const std::string& label) {
    std::fprintf(stderr, "%s\n", label.c_str());
    std::fflush(stderr);
  };
  p.chiudi_finestra = [] {};
  p.mostra_messaggio = [](const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    return 1;  // the OK button
  };
  p.termina = [](int exit_status) { std::exit(exit_status); };
  return p;
}

platform silent_platform() {
  platform p;
  p.mostra_finestra = [](const std::string&) {};
  p.chiudi_finestra = [] {};
  p.mostra_messaggio = [](const std::string&) { return 1; };
  p.termina = [](int) {};
  return p;
}
