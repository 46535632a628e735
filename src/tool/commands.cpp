#include "tool/commands.h"

#include <cstdio>

#include "tool/encoding.h"
#include "tool/exit_codes.h"

int fallimento(const std::string& messaggio) {
  std::fprintf(stderr, "scenario: %s\n", controlli_visibili(messaggio).c_str());
  return uscita::fallimento;
}
