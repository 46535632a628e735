// What every way of showing findings works from: the source documents as
// the user named them, and the count of findings by severity.
#pragma once

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

conteggio_reperti conta_reperti(const std::vector<reperto>& reperti);

// The word of a severity: "error", "warning", "note".
std::string_view parola_gravita(gravita g);
