// The scenario state: the one object every procedure of a build works on.
//
// Text (identifiers, names, the token buffer) is held as the Windows-1252
// bytes themselves, one byte per character, everywhere in the program: the
// documents are written from these bytes, the reader reads them back as they
// stand, and the scenario file stores them unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "format/records.h"
#include "format/tracciato.h"
#include "scenario/findings.h"

struct scenario_state {
  // The folder every file of the run lies in (the program's own folder in a
  // real run, a temporary one in tests).
  std::string cartella;

  tracciato_a_tratti tracciato;  // exists only when salva_linea != 0
  std::vector<cella> percorso;   // cells 0..numero_celle; empty until
                                 // the route length is read
  std::array<elemento, slot::numero> elementi{};
  std::array<int32_t, 81> montagna_inizio{};  // filled from index 1
  std::array<int32_t, 81> montagna_fine{};
  int32_t numero_montagne = 0;
  int32_t salva_linea = 0;  // non-zero: build tracciato, write the line plan
  // The design's six working counters are loop indices of single procedures;
  // they are locals here, since they carry no value between procedures.
  std::string treno;                // train identifier
  std::string linea;                // line identifier
  std::string riga;                 // the token last read from a source document
  int32_t lunghezza_tracciato = 0;  // route length + 7000: last metre index
  int32_t numero_celle = 0;         // last index of percorso
  int32_t risposta_messaggio = 0;   // answer of the last message box
  int32_t codice_errore = 0;        // build status, 0 = no error
  int32_t posizione_errore = 0;     // metres that go with some codes

  // Asked for by the author's tool, left null by the one-shot program (each
  // then costs one test): every finding, and for each cell the rows that
  // last set its fields (sized with the track).
  std::vector<reperto>* reperti = nullptr;
  std::vector<provenienza_cella>* provenienza = nullptr;
  // How many warnings of one kind a document keeps; the rest are counted
  // in the last one kept (its `simili`), so that a document of a million
  // unknown rows gives a handful of findings. 0 keeps every one.
  int32_t avvisi_per_genere = 5;
  // Read on past errors, for the author's tool only: a row in error is set
  // aside and the reading goes on at the next line, so that every error is
  // reported. What such a reading builds is never written; the status and
  // the files come from a reading that stops at its first error.
  bool recupero = false;
  // Where the reader is: the keyword of the row being read and its position
  // field. Findings and provenance take their places from here.
  luogo riga_in_lettura;
  luogo campo_posizione;

  bool percorso_creato() const { return !percorso.empty(); }
};
