#include "scenario/findings.h"

#include <array>

#include "format/records.h"
#include "scenario/codici.h"

namespace {

using enum reperto_id;
constexpr severity E = severity::error;
constexpr severity W = severity::warning;

// One row per id, in the order of the enum (checked below).
constexpr std::array<descrizione_reperto, static_cast<size_t>(reperto_id::numero)>
    tabella{{
        {linea_mancante, "line-source-missing", codice::linea_mancante, E,
         "the line source document does not exist",
         "The build starts from the line source (<line>_linea.txt). Without it nothing "
         "is read "
         "and no track is built.",
         "(no file Vardelia_linea.txt beside the train source)"},
        {linea_illeggibile, "line-source-unreadable", codice::errore_lettura, E,
         "the line source document cannot be read",
         "The document exists but could not be read (a folder of that name, or no "
         "permission).",
         "(Vardelia_linea.txt is a folder)"},
        {generale_mancante, "no-generale-line", codice::generale_mancante, E,
         "the line source has no \"[generale]\" line",
         "Everything before the first token holding \"[generale]\" is ignored. A line "
         "source "
         "without it, or with nothing after it, has no header: add \"[generale]\" on a "
         "line of "
         "its own before the header rows.",
         "lunghezza percorso, 334000   <- before any [generale] line"},
        {percorso_troppo_lungo, "route-too-long", codice::percorso_troppo_lungo, E,
         "route length {valore} m is over the limit of {limite} m",
         "The track and the plan polyline are sized from \"lunghezza percorso\"; a route "
         "may be "
         "at most 1,000,000 m long. The reading stops here.",
         "lunghezza percorso, 1000001"},
        {percorso_negativo, "route-length-negative", codice::errore_lettura, E,
         "route length {valore} m is negative",
         "A track of negative size cannot be made; the route length must be 0 or more.",
         "lunghezza percorso, -8000"},
        {percorso_mancante, "no-route-length", codice::errore_lettura, E,
         "the line source gives no route length",
         "The header block after \"[generale]\" must hold a \"lunghezza percorso\" row: "
         "it sizes "
         "the track. Without it no track is built and no file is written.",
         "[generale]\nsfondo uno, 1\n[curve]"},
        {ripetizione_inizio, "repetition-start-not-on-50", codice::ripetizione_inizio, E,
         "signal-code repetition starts at {valore} m, not a multiple of 50 m",
         "The first position of the signal-code repetition must lie on a 50 m cell "
         "boundary.",
         "ripetizione segnali 9 codici, 8010, 330700"},
        {ripetizione_fine, "repetition-end-not-on-50", codice::ripetizione_fine, E,
         "signal-code repetition ends at {valore} m, not a multiple of 50 m",
         "The last position of the signal-code repetition must lie on a 50 m cell "
         "boundary.",
         "ripetizione segnali 9 codici, 8000, 330710"},
        {ripetizione_codici, "repetition-codes", codice::ripetizione_codici, E,
         "signal-code repetition names neither 4 nor 9 codes",
         "The row's keyword must hold the digit 4 or 9 (\"ripetizione segnali 9 "
         "codici\"): it "
         "gives the number of codes.",
         "ripetizione segnali codici, 8000, 330700"},
        {curva_senza_classe, "curve-without-radius", codice::curva_errata, E,
         "curve row names no radius class 1 to 6",
         "A curve's keyword carries its radius class as a digit 1 to 6 and its side as "
         "\"s\" "
         "(left) or \"d\" (right), as in \"curvas1\" or \"curvad3\".",
         "curvas, 1000, 100"},
        {curva_oltre_limite, "curve-past-limit", codice::curva_errata, E,
         "the plan polyline passes 1,000,000 m at this curve",
         "A curve may not carry the plan of the line past 1,000,000 m.",
         "curvad1, 999000, 5000   <- with lunghezza percorso, 1000000"},
        {cartello_occupato, "sign-cell-taken", codice::cartello_occupato, E,
         "indicator sign on a cell already taken ({cella_e_metri}{km})",
         "Each 50 m cell holds one feature. Move the sign to a free cell or move the "
         "feature "
         "that took the cell first.",
         "indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0\ncartello_indicatore, 1000, "
         "(X)"},
        {troppi_cartelli, "too-many-signs", codice::errore_lettura, E,
         "more than 80 indicator signs",
         "The scenario file has room for 80 indicator signs (slots 80 down to 1).",
         "(an 81st cartello_indicatore row)"},
        {troppe_montagne, "too-many-mountains", codice::errore_lettura, E,
         "more than 80 mountain stretches",
         "The line has room for 80 mountain stretches.", "(an 81st montagna row)"},
        {treno_mancante, "train-source-missing", codice::errore_lettura, E,
         "the train source document does not exist or cannot be read",
         "The build reads the train source (<line>_<train>-.txt) after the line source.",
         "(no file Vardelia_Corvessa-.txt)"},
        {abbattimento_occupato, "code-point-cell-taken", codice::abbattimento_occupato, E,
         "code point on a cell already taken ({cella_e_metri}{km})",
         "An \"abbattimento\" row needs a free cell (nothing on it but a mountain "
         "marker).",
         "abbattimento, 7050, 270\nabbattimento, 7060, 270"},
        {stazione_non_multipla, "station-not-on-50", codice::stazione_non_multipla, E,
         "station position {metri} is not a multiple of 50 m",
         "A station's position must lie on a 50 m cell boundary.",
         "stazione, 1025, 22, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, X"},
        {lunghezza_stazione, "station-length-not-on-100", codice::lunghezza_stazione, E,
         "station length {valore} m is not a multiple of 100 m",
         "A station's length must be a multiple of 100 m.",
         "stazione, 1000, 22, 250, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, X"},
        {stazioni_esaurite, "no-station-slot", codice::stazioni_esaurite, E,
         "no slot left for a further station",
         "Stations take slots from 1 upward and indicator signs from 80 downward; the "
         "slot "
         "after a station must stay below the last sign's slot.",
         "(80 indicator signs, then a stazione row)"},
        {stazioni_vicine, "stations-too-close", codice::stazioni_vicine, E,
         "station area starts at {valore} m, less than 350 m after the previous "
         "station's end "
         "at {limite} m",
         "Two stations must leave at least 350 m between the end of one area and the "
         "start of "
         "the next. Stations come in the order of travel.",
         "stazione, 3100, 22, 400, ...\nstazione, 3600, 22, 200, ...",
         "the previous station is here"},
        {stazioni_fuori_ordine, "stations-out-of-order", codice::stazioni_vicine, E,
         "station at {metri} comes before the previous station, whose area ends at "
         "{limite} m",
         "Stations are numbered in the order of their rows and must come in the order of "
         "travel: each row's area must start at least 350 m after the previous one's "
         "end. "
         "Move the row after the station it follows on the line.",
         "stazione, 9000, 22, 400, ...\nstazione, 3000, 22, 200, ...",
         "the previous station's row is here"},
        {fermata_iniziale, "stop-point-in-first-100-m", codice::fermata_iniziale, E,
         "the station's stop point falls within the first 100 m",
         "A station's stop point is the cell before the end of its area; it must lie "
         "beyond "
         "the first two cells of the track.",
         "stazione, 0, 22, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, X"},
        {progressiva_non_multipla, "progressive-not-on-50",
         codice::progressiva_non_multipla, E,
         "kilometric progressive entry value {valore} is not a multiple of 50",
         "The start and the offset of a \"progressiva chilometrica\" row must both be "
         "multiples of 50 m.",
         "progressiva chilometrica uno, 31100, 3075, 0"},
        {oltre_percorso, "beyond-the-track", codice::oltre_percorso, E,
         "position {metri} lies beyond the last position a row of this kind may take, "
         "{limite} m",
         "A row needs its position plus 100 m (800 m for a station) within the track, "
         "which "
         "is the route length plus 7000 m. The build reads no further rows of this "
         "document's body.",
         "pendenza, 16950, 5   <- with lunghezza percorso, 10000"},
        {segnale_occupato, "signal-cell-taken", codice::segnale_occupato, E,
         "signal on a cell already taken ({cella_e_metri}{km})",
         "Each 50 m cell holds one feature. Positions round to the nearest cell, an "
         "exact "
         "half to the even one: 1025 m and 1075 m both address cell 22.",
         "segnale, 1025, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\nsegnale, 1075, 2, 4, 1, 1, 0, 2, "
         "2, 1, 1, 0"},
        {avviso_occupato, "slowdown-warning-cell-taken", codice::avviso_occupato, E,
         "slowdown warning board on a cell already taken ({cella_e_metri}{km})",
         "The warning board stands 1200 m before the slowdown's start and needs a free "
         "cell.",
         "segnale, 1800, ...\nrallentamento, 3000, 60, 1000, 0, 1, 0"},
        {inizio_occupato, "slowdown-start-cell-taken", codice::inizio_occupato, E,
         "slowdown start board on a cell already taken ({cella_e_metri}{km})",
         "The start board needs a free cell.",
         "segnale, 3000, ...\nrallentamento, 3000, 60, 1000, 0, 1, 0"},
        {fine_occupato, "slowdown-end-cell-taken", codice::fine_occupato, E,
         "slowdown end board on a cell already taken ({cella_e_metri}{km})",
         "The end board (at the start plus the length) needs a free cell.",
         "segnale, 4000, ...\nrallentamento, 3000, 60, 1000, 0, 1, 0"},
        {preavvisi_occupati, "slowdown-approach-cells-taken", codice::preavvisi_occupati,
         E, "slowdown approach marks on a cell already taken ({cella_e_metri}{km})",
         "The four approach marks lie in the four cells before the warning board; all "
         "four "
         "must be free. The boards stay, without their marks.",
         "abbattimento, 1650, 270\nrallentamento, 3000, 60, 1000, 0, 1, 0"},
        {indicatori_occupati, "speed-boards-cell-taken", codice::indicatori_occupati, E,
         "speed-limit boards on a cell already taken ({cella_e_metri}{km})",
         "Speed-limit boards need a free cell.",
         "indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0\nindicatori_vmax, 1010, 90, 95, "
         "100, 0, , , , 0"},
        {fine_documento, "document-ends-inside-row", codice::errore_lettura, E,
         "the document ends inside this row",
         "Every row reads a fixed number of fields, across line ends if need be. A "
         "document "
         "should end with a line such as \"[fine]\" that needs no interpretation.",
         "pendenza, 100   <- the last line of the document"},
        {non_numero, "not-a-number", codice::errore_lettura, E,
         "field is not a whole number",
         "This field must be a whole number: an optional minus sign and digits, nothing "
         "else "
         "(no decimal point, no unit).",
         "pendenza, 1O0, 5"},
        {valore_troppo_grande, "value-out-of-range", codice::errore_lettura, E,
         "value does not fit this field: it must lie within {valore} to {limite}",
         "Each field is stored at the width of its destination: 8-bit fields hold "
         "0..255, "
         "16-bit fields -32768..32767, 32-bit fields about ±2.1 billion.",
         "orologio, 40000, 0, 0",
     "the value is laid on the track only where the reading got to here"},
        {fuori_dal_percorso, "outside-the-track", codice::errore_lettura, E,
         "this row would write outside the track: cell {cella}{perche}, where the track "
         "has "
         "cells 0 to {limite}",
         "Every cell a row writes must lie on the track: a signal needs 8 cells before "
         "it for "
         "its approach marks, a slowdown's end and a mountain's last cell must lie "
         "within the "
         "route, and gradient, speed and adhesion rows must come in ascending order.",
         "segnale, 300, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0"},
        {senza_percorso, "row-before-route-length", codice::errore_lettura, E,
         "this row needs the track, but no route length was read before it",
         "\"lunghezza percorso\" in the line source's header sizes the track; rows that "
         "place "
         "features need it first.",
         "[generale]\n[curve]\npendenza, 0, 0"},
        {nome_troppo_lungo, "name-too-long", codice::errore_lettura, E,
         "name of {valore} bytes is over {limite}",
         "A name in the scenario file counts its bytes in 16 bits.",
         "cartello_indicatore, 1000, <a text of 70000 characters>"},
        {sorgente_non_eliminata, "source-not-deleted", codice::errore_lettura, E,
         "the source document could not be deleted",
         "The one-shot program deletes its source "
         "documents once it has read them.",
         "(the folder of the one-shot program is read-only)"},
        {memoria_esaurita, "out-of-memory", codice::errore_lettura, E,
         "out of memory while reading",
         "The reading needed more memory than the system gave.",
         "(documents larger than the memory available)"},
        {riga_corta, "short-row", codice::errore_lettura, E,
         "the '{testo}' row has {valore} of its {limite} fields: its field '{campo}' was "
         "read "
         "from line {riga_nota}",
         "Every row reads a fixed number of fields, across line ends if need be: a row "
         "short "
         "of a field takes the first field of the next line, which is usually a keyword "
         "and "
         "no number. Add the missing field (an empty one between two commas reads 0).",
         "segnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1\nsegnale, 2050, 2, 4, 1, 1, 0, 2, 2, "
         "1, 1, 0",
         "'{campo}' was read from here"},
        {codice_senza_posto_segnale, "no-room-for-code-point-before-signal",
         codice::codice_segnale, E,
         "no room for a code point before the signal at cell {cella} ({metri}{km})",
         "A signal within 20 cells before a slowdown warning board gets a code point on "
         "one "
         "of the two cells before it; both are taken by other features.",
         "indicatori_vmax, 1450, ...\nindicatori_vmax, 1400, ...\nsegnale, 1500, "
         "...\nrallentamento, 3000, 60, 500, 0, 0, 0"},
        {codice_senza_posto_finestra, "no-room-for-code-point-before-slowdown",
         codice::codice_finestra, E,
         "no room for a code point before the slowdown start board at cell {cella} "
         "({metri}{km})",
         "A slowdown start board gets code points 5 to 7, 11 to 13 and 18 to 20 cells "
         "before "
         "it; all three cells of one window are taken.",
         "abbattimento, 2800, 75\nabbattimento, 2750, 75\nabbattimento, 2700, "
         "75\nrallentamento, 3000, 60, 500, 0, 0, 0"},
        {codice_senza_posto_interno, "no-room-for-code-point-in-slowdown",
         codice::codice_interno, E,
         "no room for a code point at cell {cella} ({metri}{km})",
         "Inside a slowdown below 110 km/h a code point goes every 8 cells, and one "
         "before "
         "the first signal within 12 cells after its end; the cell and its neighbours "
         "are "
         "taken.",
         "abbattimento, 3450, 75\nabbattimento, 3400, 75\nabbattimento, 3500, "
         "75\nrallentamento, 3000, 60, 500, 0, 0, 0"},
        {errore_1250, "reserved-cell-1-taken", 0, E,
         "cell 1 holds a {caratteristica} whose value takes the place of the build's own "
         "stamp (the build stops with \" Errore n. 1250\")",
         "Cell 1 carries two values of the build's own, the stamp 5121 and the race "
         "code. A "
         "feature placed there (a code point between 25 and 75 m, a board or stop point "
         "at "
         "the start of the line) takes their place: move it.",
         "abbattimento, 50, 270"},
        {errore_1251, "reserved-race-code-taken", 0, E,
         "cell 1 holds a {caratteristica} whose second value takes the place of the race "
         "code (the build stops with \" Errore n. 1251\")",
         "Cell 1 carries the race code in its second value; a feature there that sets a "
         "second value (speed-limit boards at the start of the line, say) takes its "
         "place: "
         "move it.",
         "indicatori_vmax, 0, 0, 100, 0, 0, , , , 0"},
        {lettura_interrotta, "reading-stopped", 0, severity::note,
         "the build stops at this error: rows after line {riga} are read on for their "
         "errors "
         "but not built",
         "The build ends its reading at the first error and writes what it read up to "
         "there "
         "(with build --force). The tool reads on past it, setting each row in error "
         "aside, "
         "so that every error is reported in one run.",
         "(follows an error that ends the reading)"},
        {campi_in_piu, "extra-fields", 0, W,
         "fields left over on this line are read as the next rows",
         "A row reads exactly the fields it needs; what is left of its line is read on "
         "as "
         "tokens of their own. A decimal comma is the usual cause: in \"pendenza, 1250, "
         "-4,5\" "
         "the gradient is -4 and \"5\" is taken as the next row's keyword.",
         "pendenza,  1250,   -4,5"},
        {riga_sconosciuta, "unknown-row", 0, W,
         "line matches no row and is ignored{suggerimento}",
         "Each row is recognised by a keyword in its first field; a line whose first "
         "field "
         "holds none is passed over, with everything on it.",
         "pendnza,  1250,   -4"},
        {riga_fuori_posto, "misplaced-row", 0, W, "'{testo}' is not read here: {sezione}",
         "Header rows (route length, progressives, backgrounds, code repetition) are "
         "read "
         "only between \"[generale]\" and the first section line of the line source; "
         "body "
         "rows only after it; train rows only in the train source. Elsewhere the row is "
         "ignored and its numbers are read as tokens.",
         "[curve]\npendenza, 0, 0\nlunghezza percorso, 10000"},
        {maiuscole, "keyword-case", 0, W,
         "'{parola}' is not recognised: this keyword must be written in lower case",
         "The header keywords progressiva, uno, due, tre, sfondo, segnali and "
         "ripetizione "
         "match only in lower case; every other keyword matches in any case.",
         "Progressiva chilometrica uno, 31100, 3050, 0"},
        {tabulazione, "tab", 0, W, "tab in a source line{altre}",
         "A tab counts as a blank between fields, but editors show it at different "
         "widths, "
         "so columns in messages and in other tools may not line up. Use spaces.",
         "segnale,\t1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0"},
        {fine_riga_isolata, "line-end", 0, W, "line ended by a lone CR or LF{altre}",
         "The documents end their lines with CR LF. A lone CR or LF ends a line just the "
         "same, but a document whose line ends are mixed was probably edited by two "
         "tools.",
         "pendenza, 0, 2<LF>"},
        {spazi_finali, "trailing-blanks", 0, W,
         "blanks at the end of this name are dropped",
         "A name or a sign text ends at its comma or line end; blanks before that are "
         "not "
         "kept.",
         "cartello_indicatore, 7950, Km 8   "},
        {dopo_fine, "after-end", 0, W,
         "this line comes after \"[fine]\" and is read all the same",
         "\"[fine]\" only makes sure the document ends with a line the reader need not "
         "interpret; rows after it are read as if it were not there.",
         "[fine]\npendenza, 5000, 2"},
        {fuori_ordine, "out-of-order", 0, W,
         "this row's position {valore} m lies behind the previous row's: it sets one "
         "cell "
         "only",
         "Gradient, speed, adhesion and curve rows must come in ascending order of "
         "position: "
         "each carries its value on from the cell where the previous row stopped.",
         "velocita, 5000, 100\nvelocita, 3000, 60"},
        {tempo_alzato, "signal-time-raised", 0, W,
         "signal time {valore} is stored as {limite}",
         "A signal's time from 1 to 100 is raised to 101; 0 means none.",
         "segnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 50"},
        {tempo_ignorato, "signal-time-dropped", 0, W,
         "signal time {valore} is not kept: only a signal whose first code is 2 has a "
         "time",
         "The time of a signal is stored only when its second field (sx) is 2.",
         "segnale, 1050, 1, 4, 1, 1, 0, 2, 2, 1, 1, 200"},
        {valore_troncato, "value-truncated", 0, W,
         "value {valore} does not fit its field and is stored as {limite}",
         "Values stored in 16-bit or 8-bit fields keep only their low bits: 70000 in a "
         "16-bit field becomes 4464, 300 in an 8-bit one 44.",
         "aderenza, 0, 300"},
        {velocita_arrotondata, "speed-rounded", 0, W,
         "speed {valore} km/h is stored as {limite} km/h",
         "Line speeds are stored in units of 5 km/h, rounded to the nearest (an exact "
         "half "
         "to the even unit).",
         "velocita, 0, 97"},
        {opzione_azzerata, "station-flag-cleared", 0, W,
         "the station's flag opzione_{limite} ({valore}) is set to 0 by the build",
         "The build clears the flags opzione_4 and opzione_5 of the first station, "
         "opzione_5 of a station shorter than 600 m, and opzione_4 of a station of kind "
         "5 "
         "to 8.",
         "stazione, 0, 8, 500, 1, 1, 1, 3, 1, 0, 2, 1, 1, 1, 19, 59, 50, Roma"},
        {sovrascritto, "overwritten", 0, W,
         "this row overwrites the {caratteristica} that cell {cella} held",
         "A station's stop point is written whatever the cell holds, and a slowdown "
         "shorter "
         "than a cell puts its start board over its own end board; what stood there is "
         "lost.",
         "segnale, 900, ...\nstazione, 1000, 22, 200, ...",
         "the {caratteristica} was put here", true},
        {virgola_decimale, "decimal-comma", 0, W,
         "'{testo}' has a decimal comma: the field reads {valore} and what follows the "
         "comma "
         "is read as the next row",
         "Fields are whole numbers separated by commas, so a decimal comma splits a "
         "value in "
         "two: in \"pendenza, 1250, -4,5\" the gradient is -4 and \"5\" is read as the "
         "keyword of the next row. Write whole numbers only.",
         "pendenza,  1250,   -4,5"},
        {parola_quasi,
         "misspelt-keyword",
         0,
         W,
         "'{testo}' is no keyword, so this line is ignored; did you mean '{parola}'?",
         "Each row is recognised by a keyword in its first field. A word within a letter "
         "or "
         "two of a keyword is almost surely that keyword mistyped, and its row is "
         "dropped "
         "with everything on it.",
         "stazone, 1000, 22, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, X",
         {},
         true},
        {treno_vuoto,
         "empty-train-source",
         0,
         W,
         "the train source gives no row: {motivo}",
         "Rows are read from the first \"[generale]\" line on. A train source that gives "
         "none "
         "builds a scenario without stations, signals or speeds. It is read as "
         "Windows-1252 "
         "text with one row a line.",
         "(an empty file, or one without a \"[generale]\" line)",
         {},
         true},
        {non_cp1252,
         "not-windows-1252",
         0,
         W,
         "this document is not Windows-1252 text: {motivo}",
         "The documents are read as Windows-1252, one byte a character. Text saved as "
         "UTF-8 "
         "or UTF-16 reads as other letters (\"CittÃ \" for \"Città\") or not at all: "
         "save "
         "the document as Windows-1252 (\"Western\").",
         "(Città saved as UTF-8)",
         {},
         true},
        {valore_insensato, "implausible-value", 0, W,
         "'{campo}' is {valore_campo}: {motivo}",
         "The build takes this value as it is, but it cannot mean what a scenario needs: "
         "check the row against the reference of its fields ('scenario explain ROW').",
         "stazione, 5000, 22, -200, ..."},
        {riga_col_trattino, "dash-line-skipped", 0, W,
         "'{testo}' holds a \"-\" and is passed over with the token after it",
         "Between rows the reader passes over up to two tokens that hold a \"-\" (the "
         "separators of the built-in documents), and the token after them is taken as "
         "the "
         "keyword. A row whose keyword holds a dash is therefore never read.",
         "velocita-max, 1000, 100"},
    }};

constexpr bool in_ordine() {
  for (size_t i = 0; i < tabella.size(); ++i) {
    if (static_cast<size_t>(tabella[i].id) != i) return false;
  }
  return true;
}
static_assert(in_ordine(), "the table of findings follows the order of reperto_id");

}  // namespace

std::string_view nome_caratteristica(int64_t c) {
  switch (c) {
    case codice_cella::segnale:
      return "signal";
    case codice_cella::fine_rallentamento:
      return "slowdown end board";
    case codice_cella::inizio_rallentamento:
      return "slowdown start board";
    case codice_cella::avviso_rallentamento:
      return "slowdown warning board";
    case codice_cella::preavviso_rallentamento:
      return "slowdown approach mark";
    case codice_cella::indicatori_v_max:
      return "set of speed-limit boards";
    case codice_cella::fermata:
      return "station stop point";
    case codice_cella::marcatore_montagna:
      return "mountain marker";
    case codice_cella::abbattimento:
      return "code point";
    case codice_cella::abbattimento_nullo:
      return "code point of value 0";
    case codice_cella::cartello_indicatore:
      return "indicator sign";
    default:
      return "feature";
  }
}

std::string_view testo_motivo(int64_t m) {
  switch (static_cast<motivo>(m)) {
    case motivo::vuoto:
      return "it is empty";
    case motivo::senza_generale:
      return "it has no \"[generale]\" line, and rows are read only after one";
    case motivo::niente_dopo:
      return "no row follows its \"[generale]\" line";
    case motivo::utf8:
      return "this line is UTF-8, and each of its non-ASCII letters reads as two or "
             "three "
             "other ones";
    case motivo::bom_utf8:
      return "it begins with a UTF-8 byte-order mark";
    case motivo::utf16:
      return "it is UTF-16, two bytes a character, and reads as no rows at all";
    case motivo::byte_nullo:
      return "it holds NUL bytes, which no text document has";
    case motivo::negativo:
      return "it is negative";
    case motivo::fine_prima:
      return "it lies before the row's start";
    case motivo::orario:
      return "it is no time of day (hours 0 to 23, minutes and seconds 0 to 59)";
    case motivo::tipo_stazione:
      return "it lies outside the station kinds 1 to 30";
    case motivo::nome_vuoto:
      return "the station has no name to show";
    case motivo::tipo_montagna:
      return "it is no mountain type (1 to 3, or 11 to 13 with markers)";
    case motivo::fuori_intervallo:
      return "it lies outside the values its field takes";
    case motivo::numero:
      break;
  }
  return "is out of place";
}

const descrizione_reperto& descrivi(reperto_id id) {
  return tabella[static_cast<size_t>(id)];
}

reperto_id reperto_per_nome(std::string_view nome) {
  for (const descrizione_reperto& d : tabella) {
    if (d.nome == nome) return d.id;
  }
  return reperto_id::numero;
}
