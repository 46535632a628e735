#include "tool/cli/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tool/cli/exit_codes.h"
#include "tool/platform/encoding.h"

int stampa(const std::string& testo, int stato) {
  errno = 0;
  const bool scritto = std::fwrite(testo.data(), 1, testo.size(), stdout) == testo.size();
  if (std::fflush(stdout) == 0 && scritto) return stato;
  const int e = errno;
  return fallimento(std::string("cannot write the output: ") +
                    (e != 0 ? std::strerror(e) : "write failed"));
}

void avvisa(const std::string& testo) {
  std::fprintf(stderr, "scenario: %s\n", controlli_visibili(testo).c_str());
}

int fallimento(const std::string& messaggio) {
  avvisa(messaggio);
  return uscita::fallimento;
}

void scrivi_su_stderr(std::string_view testo) {
  std::fwrite(testo.data(), 1, testo.size(), stderr);
}
