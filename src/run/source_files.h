// The one-shot program's two source documents, on disk in its folder. They
// are read into memory before the reader runs, and deleted at each moment
// the reader is done with one: the line source as soon as its reading ends,
// the train source when its own does, both on the reader's failure exit.
// A line source that ends the reading early leaves the train source unread
// on disk.
#pragma once

#include <string>

#include "reader/memorizza_dati.h"
#include "track/memorizza_percorso.h"

struct scenario_state;

struct sorgenti_su_disco {
  std::string percorso_linea, percorso_treno;
  std::string testo_linea, testo_treno;
  sorgenti_lettura sorgenti;  // views into the texts above

  // Reads both documents of the state's folder. A line source that is not a
  // regular file is missing (nothing will be deleted); one that cannot be
  // read is unreadable; a train source that cannot be read is missing.
  explicit sorgenti_su_disco(const scenario_state& st);
  sorgenti_su_disco(const sorgenti_su_disco&) = delete;
  sorgenti_su_disco& operator=(const sorgenti_su_disco&) = delete;
};

// The whole build on the source documents of the state's folder, as the
// one-shot program runs it: read, deleted as the reader is done with them,
// built, and the binary files written beside them.
esito_build memorizza_percorso_in_cartella(scenario_state& st, int32_t j);
