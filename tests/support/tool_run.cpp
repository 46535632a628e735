#include "support/tool_run.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>

#include "support/temp_folder.h"

std::string quota(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string riga_di_comando(const std::vector<std::string>& argomenti) {
  std::string comando = quota(SCENARIO_TOOL);
  for (const std::string& a : argomenti) comando.append(" ").append(quota(a));
  return comando;
}

namespace {

// `uscita` is the shell's redirection of stdout; empty, it is captured.
esito_tool esegui_verso(const std::string& cartella,
                        const std::vector<std::string>& argomenti,
                        const std::string& ambiente, const std::string& uscita) {
  temp_folder cattura;
  std::string comando = "cd " + quota(cartella) + " && " + ambiente + " " +
                        riga_di_comando(argomenti) + " </dev/null ";
  if (uscita.empty()) {
    comando.append(">").append(quota(cattura.file("out")));
  } else {
    comando.append(uscita);
  }
  comando.append(" 2>").append(quota(cattura.file("err")));
  // The processor time of the children waited for, the tool among them.
  const auto tempo_figli = [] {
    rusage u{};
    ::getrusage(RUSAGE_CHILDREN, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
  };
  const double processore = tempo_figli();
  const auto inizio = std::chrono::steady_clock::now();
  int raw = std::system(comando.c_str());
  esito_tool r;
  r.secondi =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  r.processore = tempo_figli() - processore;
  if (raw != -1 && WIFEXITED(raw)) r.stato = WEXITSTATUS(raw);
  r.out = read_bytes(cattura.file("out"));
  r.err = read_bytes(cattura.file("err"));
  return r;
}

}  // namespace

esito_tool esegui(const std::string& cartella, const std::vector<std::string>& argomenti,
                  const std::string& ambiente) {
  return esegui_verso(cartella, argomenti, ambiente, "");
}

esito_tool esegui_con_uscita(const std::string& cartella,
                             const std::vector<std::string>& argomenti,
                             const std::string& uscita) {
  return esegui_verso(cartella, argomenti, "env -u NO_COLOR", uscita);
}
