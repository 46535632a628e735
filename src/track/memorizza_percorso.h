// The build: reset the records, read the two source documents, finish the
// track, stamp the reserved places and the race codes, write the binary
// files. It shows nothing and never ends the process: it returns what
// happened, and the program that called it decides what the user sees.
#pragma once

#include <cstdint>

#include "base/status.h"
#include "reader/memorizza_dati.h"

struct scenario_state;

enum class esito : uint8_t {
  fatto,   // the build did its whole job
  errore,  // a numbered error (1250, 1251) stopped it before any output
  guasto   // a failure that ends the run: no track was read, or a file failed
};

struct esito_build {
  esito tipo = esito::fatto;
  int32_t numero_errore = 0;     // 1250 or 1251 with esito::errore
  Status status = Status::success();  // what failed, with esito::guasto
};

// Everything but the output: reset, reading, code points, the checks of the
// reserved places, the stamps and the race codes. `j` non-zero builds the
// plan polyline as well.
esito_build costruisci_scenario(scenario_state& st, const sorgenti_lettura& sorgenti,
                                int32_t j);

// The whole build: costruisci_scenario, then the binary files in
// st.cartella (the line plan file only when `j` is non-zero).
esito_build memorizza_percorso(scenario_state& st, const sorgenti_lettura& sorgenti,
                               int32_t j);
