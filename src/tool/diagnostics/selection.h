// What every way of showing findings works from: the source documents as
// the user named them, and the count of findings by severity.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/findings.h"

// A source document as findings point into it.
struct documento_mostrato {
  std::string nome;        // the path as the user typed it
  std::string_view testo;  // its bytes, Windows-1252
};

struct documenti_mostrati {
  documento_mostrato linea;
  documento_mostrato treno;

  // The document `d`, or null for documento::nessuno.
  const documento_mostrato* di(documento d) const {
    switch (d) {
      case documento::linea:
        return &linea;
      case documento::treno:
        return &treno;
      case documento::nessuno:
        break;
    }
    return nullptr;
  }
};

struct conteggio_reperti {
  int errori = 0;
  int avvisi = 0;
  int note = 0;
};

// What -W options make of the warnings: some left out, or all taken as
// errors (-Werror).
struct regole_avvisi {
  std::vector<reperto_id> spenti;      // -Wno-NAME
  bool come_errori = false;            // -Werror
  std::vector<reperto_id> errori;      // -Werror=NAME
  std::vector<reperto_id> non_errori;  // -Wno-error=NAME: back to a warning
};

// The severity a finding is shown with.
severity severity_shown(const reperto& r, const regole_avvisi& regole);

// The findings without the warnings switched off.
std::vector<reperto> filtra_avvisi(const std::vector<reperto>& reperti,
                                   const regole_avvisi& regole);

// The number an error is known by: its status code, or for the two errors
// of the reserved places of cell 1 the number their error box shows (1250,
// 1251); 0 for none.
int32_t numero_reperto(reperto_id id);

// What stands in brackets after a message: an error's name and number
// ("signal-cell-taken, 16"), or the warning's option ("-Wextra-fields",
// "-Werror,-Wextra-fields"); "" for a note.
std::string etichetta(const reperto& r, const regole_avvisi& regole);

// Adds `n` findings of severity `g` to `c`.
void aggiungi(conteggio_reperti& c, severity g, int n);

conteggio_reperti conta_reperti(const std::vector<reperto>& reperti,
                                const regole_avvisi& regole = {});

// How many errors and warnings are shown at most; 0 for no limit.
struct limiti_reperti {
  int errori = 20;
  int avvisi = 100;
};

// The findings in the order they are shown: by document (the line source
// before the train source) and by byte offset within it; those with no place
// after them, in the order they were found. Findings at one place keep the
// order they were found in. The error the build's status comes from
// (`primo_errore`) is moved before the first error shown under `regole`.
std::vector<reperto> in_ordine_di_documento(std::vector<reperto> reperti,
                                            const regole_avvisi& regole = {});

// The findings shown under `limiti`, in document order (as
// in_ordine_di_documento), and the count of those left out.
struct reperti_scelti {
  std::vector<reperto> mostrati;
  conteggio_reperti omessi;
};
reperti_scelti scegli_reperti(const std::vector<reperto>& reperti,
                              const regole_avvisi& regole, const limiti_reperti& limiti);

// The word of a severity: "error", "warning", "note".
std::string_view severity_word(severity g);
