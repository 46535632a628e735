// Test support for the report's drawings: a small route with known curves,
// gradients, speeds, stations, a signal, a slowdown, a mountain, a sign and a
// kilometric progressive, built as the tool builds it, and its view.
#pragma once

#include <string>

#include "reader/source_fixture.h"
#include "tool/diagnostics/selection.h"
#include "tool/report/route_view.h"
#include "track/memorizza_percorso.h"

// The lines of the rows, for the tooltips: line source, then train source.
namespace riga_fixture {
constexpr uint32_t progressiva = 3, montagna = 10, cartello = 12;
constexpr uint32_t stazione_beta = 7, segnale = 8, rallentamento = 9;
}  // namespace riga_fixture

struct percorso_piccolo {
  sorgenti s;
  documenti_mostrati documenti;
  esito_build esito;
  vista_percorso v;

  percorso_piccolo() {
    s.linea({"[generale]", "lunghezza percorso, 10000",
             "progressiva chilometrica uno, 2000, 5000, 0", "[curve]",
             "curvad3, 1000, 500",  // k = 0.0004 to the right
             "curvas6, 3000, 200",  // k = 0.003 to the left
             "pendenza, 0, 0", "pendenza, 1000, 10", "pendenza, 3000, -5",
             "montagna, 4000, 4500, 2", "indicatori_vmax, 2000, 90, 95, 100, 0, , , , 0",
             "cartello_indicatore, 7000, <Km 11>", "[fine]"});
    s.treno({"[generale]", "velocita, 0, 60", "velocita, 2000, 100", "velocita, 5000, 80",
             "aderenza, 0, 60",
             "stazione, 1000, 22, 300, 0,0,0,0,0,0,0,0,0,0,0,0,0, Alfa",
             "stazione, 8000, 28, 200, 0,0,0,0,0,0,0,0,0,0,0,0,0, Beta & co",
             "segnale, 3000, 2, 4, 1, 1, 0, 2, 2,1,1, 0",
             "rallentamento, 5500, 30, 500, 0, 0, 0", "[fine]"});
    esito = costruisci_scenario(s.st, s.da_leggere(), 1);
    documenti = {{"dir/L_linea.txt", *s.testo_linea}, {"L_T-.txt", *s.testo_treno}};
    v = crea_vista(s.st, s.reperti, documenti);
  }
  percorso_piccolo(const percorso_piccolo&) = delete;
};
