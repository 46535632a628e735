// The kinds of row of the two source documents, as one table: the keyword
// test that recognises each (one or two words that must occur in the token,
// in lower case only or in any case), the part of the documents where it is
// read, and its keyword as the built-in documents spell it. The readers test
// the rows through it in their own order; the warnings use it to tell a
// misplaced or misspelt row from one that matches nothing.
#pragma once

#include <iterator>
#include <string_view>

#include "reader/keywords.h"

enum class riga_id {
  // The line source's header (between "[generale]" and the first section).
  lunghezza, progressiva_tre, progressiva_due, progressiva_uno,
  sfondo_uno, sfondo_due, sfondo_tre, ripetizione,
  // The line source's body.
  pendenza, curva, montagna, indicatori, cartello,
  // The train source.
  massa, vetture, velocita, aderenza, orologio, sabbia, segnale, rallentamento,
  abbattimento, stazione,
};

enum sezione_riga { intestazione_linea = 1, corpo_linea = 2, treno = 3 };

struct tipo_riga {
  riga_id id;
  std::string_view parola_a, parola_b;  // both must occur (b may be empty)
  bool solo_minuscole;                  // the words match in lower case only
  int sezione;                          // a sezione_riga
  int parola;                           // its keyword in parole_chiave()
};

inline constexpr tipo_riga tipi_riga[] = {
    {riga_id::lunghezza, "percorso", "lunghezza", false, intestazione_linea, 0},
    {riga_id::progressiva_tre, "progressiva", "tre", true, intestazione_linea, 3},
    {riga_id::progressiva_due, "progressiva", "due", true, intestazione_linea, 2},
    {riga_id::progressiva_uno, "progressiva", "uno", true, intestazione_linea, 1},
    {riga_id::sfondo_uno, "sfondo", "uno", true, intestazione_linea, 4},
    {riga_id::sfondo_due, "sfondo", "due", true, intestazione_linea, 5},
    {riga_id::sfondo_tre, "sfondo", "tre", true, intestazione_linea, 6},
    {riga_id::ripetizione, "segnali", "ripetizione", true, intestazione_linea, 7},
    {riga_id::pendenza, "pendenza", "", false, corpo_linea, 8},
    {riga_id::curva, "curva", "", false, corpo_linea, 9},
    {riga_id::montagna, "montagna", "", false, corpo_linea, 11},
    {riga_id::indicatori, "indicatori_v", "", false, corpo_linea, 12},
    {riga_id::cartello, "cartello", "indicat", false, corpo_linea, 13},
    {riga_id::massa, "frenata", "massa", false, treno, 15},
    {riga_id::vetture, "vetture", "", false, treno, 14},
    {riga_id::velocita, "velocit", "", false, treno, 16},
    {riga_id::aderenza, "aderenza", "", false, treno, 17},
    {riga_id::orologio, "orologio", "", false, treno, 18},
    {riga_id::sabbia, "sabbia", "", false, treno, 19},
    {riga_id::segnale, "segnale", "", false, treno, 20},
    {riga_id::rallentamento, "rallentamento", "", false, treno, 21},
    {riga_id::abbattimento, "abbattimento", "", false, treno, 22},
    {riga_id::stazione, "stazione", "", false, treno, 23},
};

inline constexpr const tipo_riga& tipo_di(riga_id id) {
  return tipi_riga[static_cast<int>(id)];
}

// The row's keyword test on a token, as the reader applies it.
inline bool corrisponde(std::string_view token, const tipo_riga& t) {
  const auto c = t.solo_minuscole ? contiene : contiene_nc;
  return c(token, t.parola_a) && (t.parola_b.empty() || c(token, t.parola_b));
}
inline bool corrisponde(std::string_view token, riga_id id) {
  return corrisponde(token, tipo_di(id));
}

// The same test, letter case aside.
inline bool corrisponde_nc(std::string_view token, const tipo_riga& t) {
  return contiene_nc(token, t.parola_a) &&
         (t.parola_b.empty() || contiene_nc(token, t.parola_b));
}

// The table follows riga_id's order.
constexpr bool tipi_in_ordine() {
  for (size_t i = 0; i < std::size(tipi_riga); ++i) {
    if (static_cast<size_t>(tipi_riga[i].id) != i) return false;
  }
  return true;
}
static_assert(tipi_in_ordine(), "tipi_riga follows the order of riga_id");
