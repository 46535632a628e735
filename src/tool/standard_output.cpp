#include "tool/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tool/commands.h"

int stampa(const std::string& testo, int stato) {
  errno = 0;
  const bool scritto = std::fwrite(testo.data(), 1, testo.size(), stdout) == testo.size();
  if (std::fflush(stdout) == 0 && scritto) return stato;
  const int e = errno;
  return fallimento(std::string("cannot write the output: ") +
                    (e != 0 ? std::strerror(e) : "write failed"));
}
