// The kinds of row of the two source documents, as one table: the keyword
// test that recognises each (one or two words that must occur in the token,
// in lower case only or in any case), its keyword as the built-in documents
// spell it, the part of the documents where it is read, its fields in order
// and the function that reads and lays it. The readers walk the table in its
// order, applying each row of their part whose test the token passes; the
// warnings use it to tell a misplaced or misspelt row from one that matches
// nothing; authors' tools show it as the reference of the rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "reader/keywords.h"
#include "reader/rows.h"

enum class riga_id {
  // The line source's header (between "[generale]" and the first section).
  lunghezza,
  progressiva_tre,
  progressiva_due,
  progressiva_uno,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione,
  // The line source's body.
  pendenza,
  curva,
  montagna,
  indicatori,
  cartello,
  // The train source.
  massa,
  vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};

enum sezione_riga { intestazione_linea = 1, corpo_linea = 2, treno = 3 };

// Where a row of `sezione` belongs, in the author's words.
constexpr std::string_view nome_sezione(int64_t sezione) {
  switch (sezione) {
    case intestazione_linea:
      return "the line source's header, between \"[generale]\" and the first section "
             "line";
    case corpo_linea:
      return "the line source, after its header";
    case treno:
      return "the train source";
    default:
      return "another document";
  }
}

// What a row leaves the reading to do.
enum class esito_riga {
  avanti,      // go on with the next token
  esci_corpo,  // leave the body; the steps after it still run (status 15)
  termina      // the reading of this document ended early
};

struct lettura;  // reader/reading.h

// Reads a row's fields (the keyword `token` was just read) and lays it.
using funzione_posa = esito_riga (*)(lettura& l, std::string_view token);

// The laying functions, one per row kind (line_source.cpp, train_source.cpp).
namespace posa {
esito_riga lunghezza(lettura&, std::string_view);
esito_riga progressiva_tre(lettura&, std::string_view);
esito_riga progressiva_due(lettura&, std::string_view);
esito_riga progressiva_uno(lettura&, std::string_view);
esito_riga sfondo_uno(lettura&, std::string_view);
esito_riga sfondo_due(lettura&, std::string_view);
esito_riga sfondo_tre(lettura&, std::string_view);
esito_riga ripetizione(lettura&, std::string_view);
esito_riga pendenza(lettura&, std::string_view);
esito_riga curva(lettura&, std::string_view);
esito_riga montagna(lettura&, std::string_view);
esito_riga indicatori(lettura&, std::string_view);
esito_riga cartello(lettura&, std::string_view);
esito_riga massa(lettura&, std::string_view);
esito_riga vetture(lettura&, std::string_view);
esito_riga velocita(lettura&, std::string_view);
esito_riga aderenza(lettura&, std::string_view);
esito_riga orologio(lettura&, std::string_view);
esito_riga sabbia(lettura&, std::string_view);
esito_riga segnale(lettura&, std::string_view);
esito_riga rallentamento(lettura&, std::string_view);
esito_riga abbattimento(lettura&, std::string_view);
esito_riga stazione(lettura&, std::string_view);
}  // namespace posa

template <const auto& campi>
inline constexpr auto descrizioni_campi = descrizioni_di(campi);

struct tipo_riga {
  riga_id id;
  std::string_view parola_a, parola_b;  // both must occur (b may be empty)
  bool solo_minuscole;                  // the words match in lower case only
  sezione_riga sezione;
  // The keyword as the built-in documents spell it (a curve has two, its
  // left and right forms), and the number of the first in parole_chiave().
  std::array<std::string_view, 2> grafie;
  int parola;
  bool solo_con_tracciato;       // read only when the line plan is built
  std::string_view significato;  // what the row says, in one sentence
  std::span<const descrizione_campo> campi;
  funzione_posa posa;

  constexpr size_t numero_grafie() const { return grafie[1].empty() ? 1 : 2; }
};

inline constexpr tipo_riga tipi_riga[] = {
    {.id = riga_id::lunghezza,
     .parola_a = "percorso",
     .parola_b = "lunghezza",
     .solo_minuscole = false,
     .sezione = intestazione_linea,
     .grafie = {"lunghezza percorso"},
     .parola = 0,
     .solo_con_tracciato = false,
     .significato = "The length of the route, which sizes the track.",
     .campi = descrizioni_campi<campi_lunghezza>,
     .posa = &posa::lunghezza},
    {.id = riga_id::progressiva_tre,
     .parola_a = "progressiva",
     .parola_b = "tre",
     .solo_minuscole = true,
     .sezione = intestazione_linea,
     .grafie = {"progressiva chilometrica tre"},
     .parola = 3,
     .solo_con_tracciato = false,
     .significato =
         "The third kilometric reference: how route positions become kilometric "
         "progressives from a position on.",
     .campi = descrizioni_campi<campi_progressiva>,
     .posa = &posa::progressiva_tre},
    {.id = riga_id::progressiva_due,
     .parola_a = "progressiva",
     .parola_b = "due",
     .solo_minuscole = true,
     .sezione = intestazione_linea,
     .grafie = {"progressiva chilometrica due"},
     .parola = 2,
     .solo_con_tracciato = false,
     .significato =
         "The second kilometric reference: how route positions become kilometric "
         "progressives from a position on.",
     .campi = descrizioni_campi<campi_progressiva>,
     .posa = &posa::progressiva_due},
    {.id = riga_id::progressiva_uno,
     .parola_a = "progressiva",
     .parola_b = "uno",
     .solo_minuscole = true,
     .sezione = intestazione_linea,
     .grafie = {"progressiva chilometrica uno"},
     .parola = 1,
     .solo_con_tracciato = false,
     .significato =
         "The first kilometric reference: how route positions become kilometric "
         "progressives from a position on.",
     .campi = descrizioni_campi<campi_progressiva>,
     .posa = &posa::progressiva_uno},
    {.id = riga_id::sfondo_uno,
     .parola_a = "sfondo",
     .parola_b = "uno",
     .solo_minuscole = true,
     .sezione = intestazione_linea,
     .grafie = {"sfondo uno"},
     .parola = 4,
     .solo_con_tracciato = false,
     .significato = "The line's first background value.",
     .campi = descrizioni_campi<campi_sfondo_uno>,
     .posa = &posa::sfondo_uno},
    {.id = riga_id::sfondo_due,
     .parola_a = "sfondo",
     .parola_b = "due",
     .solo_minuscole = true,
     .sezione = intestazione_linea,
     .grafie = {"sfondo due"},
     .parola = 5,
     .solo_con_tracciato = false,
     .significato = "The line's second background value.",
     .campi = descrizioni_campi<campi_sfondo_due>,
     .posa = &posa::sfondo_due},
    {.id = riga_id::sfondo_tre,
     .parola_a = "sfondo",
     .parola_b = "tre",
     .solo_minuscole = true,
     .sezione = intestazione_linea,
     .grafie = {"sfondo tre"},
     .parola = 6,
     .solo_con_tracciato = false,
     .significato = "The line's third background value.",
     .campi = descrizioni_campi<campi_sfondo_tre>,
     .posa = &posa::sfondo_tre},
    {.id = riga_id::ripetizione,
     .parola_a = "segnali",
     .parola_b = "ripetizione",
     .solo_minuscole = true,
     .sezione = intestazione_linea,
     .grafie = {"ripetizione segnali 9 codici"},
     .parola = 7,
     .solo_con_tracciato = false,
     .significato =
         "Where the signal codes are repeated in the cab, and how many codes (4 or 9, "
         "written in the keyword).",
     .campi = descrizioni_campi<campi_ripetizione>,
     .posa = &posa::ripetizione},
    {.id = riga_id::pendenza,
     .parola_a = "pendenza",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = corpo_linea,
     .grafie = {"pendenza"},
     .parola = 8,
     .solo_con_tracciato = false,
     .significato = "A gradient from a position on.",
     .campi = descrizioni_campi<campi_pendenza>,
     .posa = &posa::pendenza},
    {.id = riga_id::curva,
     .parola_a = "curva",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = corpo_linea,
     .grafie = {"curvas1", "curvad1"},
     .parola = 9,
     .solo_con_tracciato = true,
     .significato =
         "A curve of the line plan, its radius class and side written in the keyword.",
     .campi = descrizioni_campi<campi_curva>,
     .posa = &posa::curva},
    {.id = riga_id::montagna,
     .parola_a = "montagna",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = corpo_linea,
     .grafie = {"montagna"},
     .parola = 11,
     .solo_con_tracciato = false,
     .significato = "A stretch of mountain scenery.",
     .campi = descrizioni_campi<campi_montagna>,
     .posa = &posa::montagna},
    {.id = riga_id::indicatori,
     .parola_a = "indicatori_v",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = corpo_linea,
     .grafie = {"indicatori_vmax"},
     .parola = 12,
     .solo_con_tracciato = false,
     .significato = "A pair of speed-limit board sets at one position.",
     .campi = descrizioni_campi<campi_indicatori>,
     .posa = &posa::indicatori},
    {.id = riga_id::cartello,
     .parola_a = "cartello",
     .parola_b = "indicat",
     .solo_minuscole = false,
     .sezione = corpo_linea,
     .grafie = {"cartello_indicatore"},
     .parola = 13,
     .solo_con_tracciato = false,
     .significato = "An indicator sign with its text.",
     .campi = descrizioni_campi<campi_cartello>,
     .posa = &posa::cartello},
    {.id = riga_id::massa,
     .parola_a = "frenata",
     .parola_b = "massa",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"percentuale massa frenata"},
     .parola = 15,
     .solo_con_tracciato = false,
     .significato = "The train's braked-weight percentage.",
     .campi = descrizioni_campi<campi_massa>,
     .posa = &posa::massa},
    {.id = riga_id::vetture,
     .parola_a = "vetture",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"numero vetture"},
     .parola = 14,
     .solo_con_tracciato = false,
     .significato = "The number of cars in the train.",
     .campi = descrizioni_campi<campi_vetture>,
     .posa = &posa::vetture},
    {.id = riga_id::velocita,
     .parola_a = "velocit",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"velocita"},
     .parola = 16,
     .solo_con_tracciato = false,
     .significato = "A line speed limit from a position on.",
     .campi = descrizioni_campi<campi_velocita>,
     .posa = &posa::velocita},
    {.id = riga_id::aderenza,
     .parola_a = "aderenza",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"aderenza"},
     .parola = 17,
     .solo_con_tracciato = false,
     .significato = "A rail adhesion value from a position on.",
     .campi = descrizioni_campi<campi_aderenza>,
     .posa = &posa::aderenza},
    {.id = riga_id::orologio,
     .parola_a = "orologio",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"orologio"},
     .parola = 18,
     .solo_con_tracciato = false,
     .significato = "The time on the clock when the run starts.",
     .campi = descrizioni_campi<campi_orologio>,
     .posa = &posa::orologio},
    {.id = riga_id::sabbia,
     .parola_a = "sabbia",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"sabbia"},
     .parola = 19,
     .solo_con_tracciato = false,
     .significato = "The train's supply of sand.",
     .campi = descrizioni_campi<campi_sabbia>,
     .posa = &posa::sabbia},
    {.id = riga_id::segnale,
     .parola_a = "segnale",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"segnale"},
     .parola = 20,
     .solo_con_tracciato = false,
     .significato = "A signal, with approach marks in the four cells before it.",
     .campi = descrizioni_campi<campi_segnale>,
     .posa = &posa::segnale},
    {.id = riga_id::rallentamento,
     .parola_a = "rallentamento",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"rallentamento"},
     .parola = 21,
     .solo_con_tracciato = false,
     .significato =
         "A slowdown: its start, end and warning boards and their approach marks.",
     .campi = descrizioni_campi<campi_rallentamento>,
     .posa = &posa::rallentamento},
    {.id = riga_id::abbattimento,
     .parola_a = "abbattimento",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"abbattimento"},
     .parola = 22,
     .solo_con_tracciato = false,
     .significato = "A code point on the track.",
     .campi = descrizioni_campi<campi_abbattimento>,
     .posa = &posa::abbattimento},
    {.id = riga_id::stazione,
     .parola_a = "stazione",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = treno,
     .grafie = {"stazione"},
     .parola = 23,
     .solo_con_tracciato = false,
     .significato =
         "A station: its area, stop point, approach marks and timetable time, in the "
         "next free slot.",
     .campi = descrizioni_campi<campi_stazione>,
     .posa = &posa::stazione},
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

// Whether the reader reads rows of kind `t` at all (curves only with the
// plan).
inline bool letta(const tipo_riga& t, bool salva_linea) {
  return salva_linea || !t.solo_con_tracciato;
}

// --- the keywords, numbered --------------------------------------------------

// The keywords of the rows as the built-in documents spell them, by their
// numbers in the table; a misspelt token is matched to the nearest, and a
// finding names a keyword by its number.
struct parola_chiave_riga {
  std::string_view parola;
  int sezione;
};

namespace row_kinds_detail {

constexpr size_t numero_parole() {
  size_t n = 0;
  for (const tipo_riga& t : tipi_riga) n += t.numero_grafie();
  return n;
}

// Each spelling at its number; an empty entry marks a number no row claims
// (or two rows claim), which the check below refuses.
constexpr std::array<parola_chiave_riga, numero_parole()> parole() {
  std::array<parola_chiave_riga, numero_parole()> out{};
  for (const tipo_riga& t : tipi_riga) {
    for (size_t g = 0; g < t.numero_grafie(); ++g) {
      const size_t i = static_cast<size_t>(t.parola) + g;
      if (i >= out.size()) return {};
      if (!out[i].parola.empty()) return {};
      out[i] = {t.grafie[g], t.sezione};
    }
  }
  return out;
}

constexpr bool parole_complete() {
  for (const parola_chiave_riga& p : parole()) {
    if (p.parola.empty()) return false;
  }
  return true;
}

}  // namespace row_kinds_detail

inline constexpr auto parole_chiave_righe = row_kinds_detail::parole();

inline constexpr std::span<const parola_chiave_riga> parole_chiave() {
  return parole_chiave_righe;
}

// --- checks of the table ---------------------------------------------------

// The table follows riga_id's order.
constexpr bool tipi_in_ordine() {
  for (size_t i = 0; i < std::size(tipi_riga); ++i) {
    if (static_cast<size_t>(tipi_riga[i].id) != i) return false;
  }
  return true;
}
static_assert(tipi_in_ordine(), "tipi_riga follows the order of riga_id");
static_assert(row_kinds_detail::parole_complete(),
              "each keyword number belongs to exactly one spelling of one row");
