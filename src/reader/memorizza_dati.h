// The scenario reader: reads the line source and then the train source into
// the scenario state. Problems are recorded in codice_errore /
// posizione_errore and reported as findings, never thrown.
//
// The documents come as bytes; the reader opens and deletes nothing. The
// moments at which it is done with a document (where the one-shot program
// deletes it) are told to whoever gave the documents.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "scenario/findings.h"

struct scenario_state;

enum class stato_documento : uint8_t {
  presente,    // `testo` holds the document
  mancante,    // there is no such document
  illeggibile  // it exists but could not be read
};

struct documento_sorgente {
  std::string nome;  // the file name, as the findings show it
  stato_documento stato = stato_documento::mancante;
  std::string_view testo;  // the bytes, while the reader runs
};

struct sorgenti_lettura {
  documento_sorgente linea;
  documento_sorgente treno;
  // Called at each moment the reader is done with a document for good (the
  // one-shot program deletes it there). Returns false when that failed; the
  // reading then ends with its failure exit. On the failure exit it is called
  // for both documents and its answer is not looked at. Empty: nothing to do.
  std::function<bool(documento)> consumato;
};

void memorizza_dati(scenario_state& st, const sorgenti_lettura& sorgenti);
