// scenario serve: the report page served to a browser on this machine and
// kept up to date. The documents are watched; each time one is saved they
// are built again in memory, as report builds them, and the open pages are
// sent the new page, which they take in place. Nothing is written, and
// nothing is served but the page and its updates. It runs until Ctrl-C or
// a termination request, and then ends with status 0.
#include <string>

#include "tool/cli/commands.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/cli/reading.h"
#include "tool/platform/watch.h"
#include "tool/serve/live_server.h"
#include "tool/serve/live_session.h"
#include "tool/session/in_memory_build.h"

namespace {

// Editors save in more than one step (write, rename, set the time): the
// documents are read once they have been quiet this long, or at the latest
// after the longest wait.
constexpr int quiet_ms = 60;
constexpr int longest_wait_ms = 1000;

}  // namespace

int comando_serve(const opzioni_serve& o) {
  live_session sessione;
  std::string errore = sessione.prepare(o.lettura);
  if (!errore.empty()) return fallimento(errore);
  uint64_t versione = 1;
  if (sessione.refresh(versione) == live_session::outcome::unreadable)
    return fallimento(sessione.problem());

  document_watch watch;
  errore = watch.start({o.lettura.sorgente_linea, o.lettura.sorgente_treno});
  if (!errore.empty()) return fallimento(errore);
  live_server server;
  server.publish(sessione.page_version(), sessione.page(), "");
  errore = server.start(o.porta);
  if (!errore.empty()) return fallimento(errore);
  int stato = mostra_reperti(sessione.reading(), sessione.build());
  if (stato != uscita::ok) return stato;
  stato = stampa("serving http://127.0.0.1:" + std::to_string(server.port()) + "/\n", 0);
  if (stato != uscita::ok) return stato;
  avvisa("following the documents as they are saved (Ctrl-C stops)");

  for (;;) {
    document_watch::event e = watch.wait(-1);
    for (int atteso = 0; e == document_watch::event::changed && atteso < longest_wait_ms;
         atteso += quiet_ms)
      e = watch.wait(quiet_ms);
    if (e == document_watch::event::stop) break;
    const std::string problema_prima = sessione.problem();
    switch (sessione.refresh(++versione)) {
      case live_session::outcome::same:
        break;
      case live_session::outcome::rebuilt:
        server.publish(sessione.page_version(), sessione.page(), "");
        avvisa("the documents changed: built again");
        mostra_reperti(sessione.reading(), sessione.build());
        break;
      case live_session::outcome::readable:
        server.publish(sessione.page_version(), sessione.page(), "");
        avvisa("the documents can be read again");
        break;
      case live_session::outcome::unreadable:
        if (sessione.problem() != problema_prima) {
          server.publish(sessione.page_version(), sessione.page(), sessione.problem());
          avvisa(sessione.problem() + "; the page keeps the last build");
        }
        break;
    }
  }
  server.stop();
  avvisa("stopped");
  return uscita::ok;
}
