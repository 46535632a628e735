// scenario serve in `scenario` itself: the command is handed over to
// scenario_serve, the same tool with the live page's server linked in,
// which takes this process's place. The server's library brings TLS and
// compression libraries with it, which no other command should have to
// load. The options go over as they were parsed.
#include <string>
#include <vector>

#include "base/file_io.h"
#include "tool/cli/commands.h"
#include "tool/cli/messages.h"
#include "tool/platform/system.h"

#ifdef SCENARIO_HAVE_SERVE

int comando_serve(const opzioni_serve& o) {
  const std::string cartella = tool_folder();
  // Beside this program in the build folder; where the package installs it
  // otherwise.
  std::string programma = cartella + "/scenario_serve";
  if (!cartella.empty() && !entry_id(programma).known)
    programma = cartella + "/" SCENARIO_SERVE_INSTALLED;
  const opzioni_build& l = o.lettura;
  std::vector<std::string> a = {programma,
                                l.colore ? "--color=always" : "--color=never",
                                "serve",
                                "--port",
                                std::to_string(o.porta),
                                "--error-limit",
                                std::to_string(l.limite_errori),
                                "--warning-limit",
                                std::to_string(l.limite_avvisi)};
  if (l.linea) a.insert(a.end(), {"--line", *l.linea});
  if (l.treno) a.insert(a.end(), {"--train", *l.treno});
  for (const std::string& w : l.avvisi) a.push_back("-W" + w);
  a.insert(a.end(), {"--", l.sorgente_linea, l.sorgente_treno});
  const std::string perche = run_instead(programma, a);
  return fallimento("cannot run '" + programma + "' for serve: " + perche);
}

#else

int comando_serve(const opzioni_serve&) {
#ifdef _WIN32
  return fallimento("serve is not available on this system");
#else
  return fallimento(
      "serve is not part of this build: it needs cpp-httplib (run scripts/setup.sh "
      "and configure again)");
#endif
}

#endif
