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
  // For the reference of the rows (authors' tools):
  std::string_view blocco;      // the block the documents keep it in, "[segnali]"
  std::string_view esempio;     // a row of the built-in documents (of the tool's own
                                // where they have none)
  std::string_view effetto;     // what the build does with the row as a whole
  std::string_view se_assente;  // what holds when the document has no such row

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
     .posa = &posa::lunghezza,
     .blocco = "[generale]",
     .esempio = "lunghezza percorso,    334000",
     .effetto = "Read once; a second row sizes the track afresh.",
     .se_assente =
         "No track is built and no file is written (no-route-length, status 25)."},
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
     .posa = &posa::progressiva_tre,
     .blocco = "[generale]",
     .esempio = "progressiva chilometrica tre,    315950,    412050,    1",
     .effetto = "One of three entries of the kilometric progressive, the km the line "
                "posts along the route; from inizio on, the entry that starts last "
                "before a position gives its km. The train sheet prints them, and the "
                "tool shows them beside positions.",
     .se_assente = "The entry stays 0, 0, 0 and gives no kilometric progressive."},
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
     .posa = &posa::progressiva_due,
     .blocco = "[generale]",
     .esempio = "progressiva chilometrica due,    284500,    -284500,    0",
     .effetto = "One of three entries of the kilometric progressive, the km the line "
                "posts along the route; from inizio on, the entry that starts last "
                "before a position gives its km. The train sheet prints them, and the "
                "tool shows them beside positions.",
     .se_assente = "The entry stays 0, 0, 0 and gives no kilometric progressive."},
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
     .posa = &posa::progressiva_uno,
     .blocco = "[generale]",
     .esempio = "progressiva chilometrica uno,    31100,    3050,    0",
     .effetto = "One of three entries of the kilometric progressive, the km the line "
                "posts along the route; from inizio on, the entry that starts last "
                "before a position gives its km. The train sheet prints them, and the "
                "tool shows them beside positions.",
     .se_assente = "The entry stays 0, 0, 0 and gives no kilometric progressive."},
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
     .posa = &posa::sfondo_uno,
     .blocco = "[generale]",
     .esempio = "sfondo uno,    1",
     .effetto = "Stored for the simulator; the build reads it no further.",
     .se_assente = "0."},
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
     .posa = &posa::sfondo_due,
     .blocco = "[generale]",
     .esempio = "sfondo due,    0",
     .effetto = "Stored for the simulator; the build reads it no further.",
     .se_assente = "0."},
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
     .posa = &posa::sfondo_tre,
     .blocco = "[generale]",
     .esempio = "sfondo tre,    0",
     .effetto = "Stored for the simulator; the build reads it no further.",
     .se_assente = "0."},
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
     .posa = &posa::ripetizione,
     .blocco = "[generale]",
     .esempio = "ripetizione segnali 9 codici,    8000,    330700",
     .effetto = "The keyword gives the number of codes: a 4 anywhere in it means 4 "
                "codes, else a 9 means 9; one with neither stops the reading (status 5).",
     .se_assente =
         "Slot 86's inizio, fine and progressiva stay 0: no signal-code repetition."},
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
     .posa = &posa::pendenza,
     .blocco = "[pendenze]",
     .esempio = "pendenza,  600,   -11",
     .effetto = "The gradient is carried from row to row along the cells; the cells "
                "before the first row are level. It draws the report's elevation.",
     .se_assente = "Every cell is level (pendenza byte 100)."},
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
     .posa = &posa::curva,
     .blocco = "[curve]",
     .esempio = "curvas1,  1350,  150",
     .effetto = "The keyword is \"curva\" with the side and the radius class: \"s\" "
                "anywhere in it (any case) turns left, else right; the first of the "
                "digits 1 to 6 found in it is the class, and a keyword with none stops "
                "the reading (status 103). Curves lay the plan polyline of the line plan "
                "file, one point a metre, and are read only when that file is built (not "
                "by build --no-plan, which reads their numbers as stray fields).",
     .se_assente = "The plan polyline runs straight."},
    {.id = riga_id::montagna,
     .parola_a = "montagna",
     .parola_b = "",
     .solo_minuscole = false,
     .sezione = corpo_linea,
     .grafie = {"montagna"},
     .parola = 11,
     .solo_con_tracciato = false,
     .significato = "A mountain stretch (a tunnel, as the report draws it).",
     .campi = descrizioni_campi<campi_montagna>,
     .posa = &posa::montagna,
     .blocco = "[montagne]",
     .esempio = "montagna,   8750,  11150,  12",
     .effetto = "Its type goes into every cell it covers, with markers when asked; the "
                "mountain tables keep its ends (at most 80 stretches).",
     .se_assente = "No mountain stretch."},
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
     .posa = &posa::indicatori,
     .blocco = "[cartelli]",
     .esempio = "indicatori_vmax,  7300,  75,  80,  85,  0,  75,  80,  85,  0",
     .effetto = "Two sets of speed boards on one cell, each with the speeds of the train "
                "categories A, B and C and a stripe count; a set left empty reads as 0.",
     .se_assente = "No speed-limit boards."},
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
     .posa = &posa::cartello,
     .blocco = "[indicazioni]",
     .esempio = "cartello_indicatore,  7950,   (Zona)(Cod )",
     .effetto =
         "A sign by the line with a text of its own; signs take the slots of the "
         "scenario file from 80 down, stations from 1 up, and the two must not meet.",
     .se_assente = "No indicator sign."},
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
     .posa = &posa::massa,
     .blocco = "[generale]",
     .esempio = "percentuale massa frenata,    125",
     .effetto = "Stored for the simulator.",
     .se_assente = "0."},
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
     .posa = &posa::vetture,
     .blocco = "[generale]",
     .esempio = "numero vetture,    15",
     .effetto = "Stored for the simulator.",
     .se_assente = "0."},
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
     .posa = &posa::velocita,
     .blocco = "[vel_limite]",
     .esempio = "velocita,    1000,    95",
     .effetto = "The line speed limit is carried from row to row along the cells; the "
                "keyword matches with or without the accent (velocita, velocità).",
     .se_assente = "Every cell's speed is 0."},
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
     .posa = &posa::aderenza,
     .blocco = "[aderenze]",
     .esempio = "aderenza,    8750,    65",
     .effetto = "The rail adhesion is carried from row to row along the cells.",
     .se_assente = "Every cell's adhesion is 0."},
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
     .posa = &posa::orologio,
     .blocco = "[generale]",
     .esempio = "orologio,    19              59            55",
     .effetto = "Stored for the simulator: the cab clock when the run starts.",
     .se_assente = "00:00:00."},
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
     .posa = &posa::sabbia,
     .blocco = "[generale]",
     .esempio = "sabbia,    110",
     .effetto = "Stored for the simulator.",
     .se_assente = "0."},
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
     .posa = &posa::segnale,
     .blocco = "[segnali]",
     .esempio = "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 255",
     .effetto =
         "The build packs the ten values after the position into the signal's cell as "
         "written; what aspects they show is the simulator's, not told by the build. "
         "Signals near a slowdown get code points from the build (see rallentamento).",
     .se_assente = "No signal."},
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
     .posa = &posa::rallentamento,
     .blocco = "[rallentamenti]",
     .esempio = "rallentamento,  3500,  60,  300,  0,  1,  0",
     .effetto =
         "The built-in train source has no slowdown; this example is the tool's own. The "
         "slowdown's boards go into cells, and the build then adds code points around "
         "it; the crew's slowdown order form is where the driver reads it.",
     .se_assente = "No slowdown, and no code point added by the build."},
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
     .posa = &posa::abbattimento,
     .blocco = "[codici]",
     .esempio = "abbattimento,    7050,   270",
     .effetto =
         "A code point the author places; the build adds its own around slowdowns.",
     .se_assente = "No code point of the author's."},
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
     .posa = &posa::stazione,
     .blocco = "[stazioni]",
     .esempio = "stazione,    5400, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
                "Roma Ostiense",
     .effetto =
         "Stations come in the order of travel and take the slots of the scenario file "
         "from 1 up; the fields come in the line's order, not the slot's (opzione_5 "
         "before opzione_4). Two station areas must be 350 m apart (status 22), and a "
         "stop point must lie past the first 100 m of track (status 24).",
     .se_assente = "No station."},
};

// --- the blocks of the documents ------------------------------------------

// A block of a document: its section line and the kinds of row the documents
// keep in it, in the order they are written. In the line source the block
// "[generale]" is the header, the only place header rows are read; every
// other section line means nothing to the reader, and a body row is read in
// any of them. `scenario new --blank` writes every block, in this order.
struct blocco_documento {
  bool del_treno;  // the train source's, else the line source's
  std::string_view nome;
  std::string_view significato;
  std::span<const riga_id> righe;
};

namespace row_kinds_detail {
using enum riga_id;
inline constexpr riga_id generale_linea[] = {
    lunghezza,  progressiva_uno, progressiva_due, progressiva_tre,
    sfondo_uno, sfondo_due,      sfondo_tre,      ripetizione};
inline constexpr riga_id curve[] = {curva};
inline constexpr riga_id pendenze[] = {pendenza};
inline constexpr riga_id montagne[] = {montagna};
inline constexpr riga_id cartelli[] = {indicatori};
inline constexpr riga_id indicazioni[] = {cartello};
inline constexpr riga_id generale_treno[] = {vetture, massa, sabbia, orologio};
inline constexpr riga_id aderenze[] = {aderenza};
inline constexpr riga_id vel_limite[] = {velocita};
inline constexpr riga_id stazioni[] = {stazione};
inline constexpr riga_id rallentamenti[] = {rallentamento};
inline constexpr riga_id segnali[] = {segnale};
inline constexpr riga_id codici[] = {abbattimento};
}  // namespace row_kinds_detail

inline constexpr blocco_documento blocchi[] = {
    {false, "[generale]",
     "The header: from the first line holding \"[generale]\" up to the first section "
     "line. Header rows are read here and nowhere else; everything before it is "
     "ignored, and a line source without it is refused (status 102).",
     row_kinds_detail::generale_linea},
    {false, "[curve]", "The curves, in ascending order of position.",
     row_kinds_detail::curve},
    {false, "[pendenze]",
     "The gradients, in ascending order of position; the first at 0.",
     row_kinds_detail::pendenze},
    {false, "[montagne]", "The mountain stretches, in ascending order.",
     row_kinds_detail::montagne},
    {false, "[cartelli]", "The speed-limit boards.", row_kinds_detail::cartelli},
    {false, "[indicazioni]", "The indicator signs.", row_kinds_detail::indicazioni},
    {false,
     "[fine]",
     "The last line. The reading ends when the document ends right after a field and "
     "leaves that field unread, so a document must end with a line that needs no "
     "reading; rows after \"[fine]\" are still read (a warning says so).",
     {}},
    {true, "[generale]",
     "The train's own values. Everything before the first line holding "
     "\"[generale]\" is ignored; a train source without one has nothing read.",
     row_kinds_detail::generale_treno},
    {true, "[aderenze]",
     "The rail adhesion, in ascending order of position; the first at 0.",
     row_kinds_detail::aderenze},
    {true, "[vel_limite]",
     "The line speed limits, in ascending order of position; the "
     "first at 0.",
     row_kinds_detail::vel_limite},
    {true, "[stazioni]", "The stations, in the order of travel.",
     row_kinds_detail::stazioni},
    {true, "[rallentamenti]", "The slowdowns; the built-in train source leaves it empty.",
     row_kinds_detail::rallentamenti},
    {true, "[segnali]", "The signals.", row_kinds_detail::segnali},
    {true, "[codici]", "The code points.", row_kinds_detail::codici},
    {true, "[fine]", "The last line, as in the line source.", {}},
};

// The block a row kind belongs to.
inline constexpr const blocco_documento& blocco_di(riga_id id) {
  for (const blocco_documento& b : blocchi) {
    for (riga_id r : b.righe) {
      if (r == id) return b;
    }
  }
  return blocchi[0];  // not reached: the check below
}

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

// Every row kind stands in exactly one block, of its own document, and its
// `blocco` names that block.
constexpr bool blocchi_completi() {
  for (const tipo_riga& t : tipi_riga) {
    int volte = 0;
    for (const blocco_documento& b : blocchi) {
      for (riga_id r : b.righe) {
        if (r != t.id) continue;
        ++volte;
        if (b.del_treno != (t.sezione == treno) || b.nome != t.blocco) return false;
      }
    }
    if (volte != 1 || t.esempio.empty() || t.effetto.empty() || t.se_assente.empty())
      return false;
  }
  return true;
}
static_assert(blocchi_completi(),
              "every row kind stands in one block of its document, with its reference");
