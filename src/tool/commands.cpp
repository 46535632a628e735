#include "tool/commands.h"

#include <cstdio>

#include "tool/exit_codes.h"

int fallimento(const std::string& messaggio) {
  std::fprintf(stderr, "scenario: %s\n", messaggio.c_str());
  return uscita::fallimento;
}
