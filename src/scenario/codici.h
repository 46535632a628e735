// The status codes the build records in `codice_errore`. Each is named
// here once; the table of findings says which finding records which.
#pragma once

#include <cstdint>

namespace codice {
constexpr int32_t percorso_troppo_lungo = 1;     // route length over 1,000,000 m
constexpr int32_t progressiva_non_multipla = 2;  // progressive entry not on 50 m
constexpr int32_t ripetizione_inizio = 3;        // repetition start not on 50 m
constexpr int32_t ripetizione_fine = 4;          // repetition end not on 50 m
constexpr int32_t ripetizione_codici = 5;        // neither 4 nor 9 codes
constexpr int32_t cartello_occupato = 6;         // indicator sign cell taken
constexpr int32_t abbattimento_occupato = 7;     // code point cell taken
constexpr int32_t stazione_non_multipla = 8;     // station position not on 50 m
constexpr int32_t lunghezza_stazione = 9;        // station length not on 100 m
constexpr int32_t stazioni_esaurite = 10;        // no slot for a further station
constexpr int32_t codice_segnale = 11;           // no room for a code point (rule A)
constexpr int32_t codice_finestra = 12;          // no room before a start board
constexpr int32_t codice_interno = 13;           // no room inside or after a slowdown
constexpr int32_t oltre_percorso = 15;           // row position beyond the track
constexpr int32_t segnale_occupato = 16;
constexpr int32_t avviso_occupato = 17;
constexpr int32_t inizio_occupato = 18;
constexpr int32_t fine_occupato = 19;
constexpr int32_t preavvisi_occupati = 20;
constexpr int32_t indicatori_occupati = 21;
constexpr int32_t stazioni_vicine = 22;     // less than 350 m after the previous
constexpr int32_t fermata_iniziale = 24;    // stop point within the first 100 m
constexpr int32_t errore_lettura = 25;      // the failure exit
constexpr int32_t linea_mancante = 101;     // no line source
constexpr int32_t generale_mancante = 102;  // no "[generale]" line
constexpr int32_t curva_errata = 103;       // no radius class, or past 1,000,000 m

// Every code the build records; 0 is no error. 14 and 23 are not used.
inline constexpr int32_t tutti[] = {
    0,  percorso_troppo_lungo, progressiva_non_multipla, ripetizione_inizio,
    ripetizione_fine, ripetizione_codici, cartello_occupato, abbattimento_occupato,
    stazione_non_multipla, lunghezza_stazione, stazioni_esaurite, codice_segnale,
    codice_finestra, codice_interno, oltre_percorso, segnale_occupato, avviso_occupato,
    inizio_occupato, fine_occupato, preavvisi_occupati, indicatori_occupati,
    stazioni_vicine, fermata_iniziale, errore_lettura, linea_mancante,
    generale_mancante, curva_errata};

// The codes with which the line half ends the reading early, leaving the
// train source unread (and, but for 101, the line source done with).
inline constexpr int32_t fine_nella_linea[] = {
    percorso_troppo_lungo, ripetizione_inizio, ripetizione_fine, ripetizione_codici,
    cartello_occupato,     indicatori_occupati, linea_mancante,  generale_mancante,
    curva_errata};

constexpr bool in(const auto& codici, int32_t c) {
  for (int32_t x : codici) {
    if (x == c) return true;
  }
  return false;
}

}  // namespace codice
