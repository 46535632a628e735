// Findings: what the reader, the encoders and the track finishing find wrong
// with the source documents, kept as data. Each finding names what went wrong
// (an id from one table), where (a span of a document, or a cell), and the
// values that explain it. The core only reports them; the programs decide
// what to show. The status pair codice_errore / posizione_errore of the
// scenario state is set beside every report exactly as the build has always
// set it (the reader's own control flow reads it).
//
// Places are cheap: a span is a byte offset and a length into the document
// as it was given. Lines and columns are worked out only when a finding is
// shown.
#pragma once

#include <cstdint>
#include <string_view>

// The two source documents.
enum class documento : uint8_t { nessuno = 0, linea = 1, treno = 2 };

// A span of one source document: `lunghezza` bytes from byte `inizio`.
// A span of length 0 at the document's size marks its end.
struct luogo {
  documento doc = documento::nessuno;
  uint32_t inizio = 0;
  uint32_t lunghezza = 0;

  bool esiste() const { return doc != documento::nessuno; }
  bool operator==(const luogo&) const = default;
};

enum class severity : uint8_t { error, warning, note };

// Every kind of finding. The status code each one records is in the table
// (`descrivi`); the reading failures all record 25 but say what failed.
enum class reperto_id : uint16_t {
  // Line source.
  linea_mancante,         // 101
  linea_illeggibile,      // 25
  generale_mancante,      // 102
  percorso_troppo_lungo,  // 1
  percorso_negativo,      // 25
  percorso_mancante,      // 25
  ripetizione_inizio,     // 3
  ripetizione_fine,       // 4
  ripetizione_codici,     // 5
  curva_senza_classe,     // 103
  curva_oltre_limite,     // 103
  cartello_occupato,      // 6
  troppi_cartelli,        // 25
  troppe_montagne,        // 25
  // Train source.
  treno_mancante,            // 25
  abbattimento_occupato,     // 7
  stazione_non_multipla,     // 8
  lunghezza_stazione,        // 9
  stazioni_esaurite,         // 10
  stazioni_vicine,           // 22
  stazioni_fuori_ordine,     // 22, a station before the previous one
  fermata_iniziale,          // 24
  progressiva_non_multipla,  // 2
  // Both sources and the encoders.
  oltre_percorso,       // 15
  segnale_occupato,     // 16
  avviso_occupato,      // 17
  inizio_occupato,      // 18
  fine_occupato,        // 19
  preavvisi_occupati,   // 20
  indicatori_occupati,  // 21
  // The reading failures (25), by cause.
  fine_documento,          // the document ends inside a row
  non_numero,              // a field that is not a whole number
  valore_troppo_grande,    // a value too large for where it goes
  fuori_dal_percorso,      // a row that would write outside the track
  senza_percorso,          // a row that needs the track before the route length
  nome_troppo_lungo,       // a name over 65535 bytes
  sorgente_non_eliminata,  // a source document that could not be deleted
  memoria_esaurita,        // out of memory
  riga_corta,              // a row short of fields took the next line's
  // The track finishing.
  codice_senza_posto_segnale,   // 11
  codice_senza_posto_finestra,  // 12
  codice_senza_posto_interno,   // 13
  errore_1250,
  errore_1251,
  // Not a failure: where the reading stopped early, the rows after it unread.
  lettura_interrotta,
  // Warnings: what the reader accepts but quietly ignores, reinterprets or
  // overwrites.
  campi_in_piu,          // fields left over on a line
  riga_sconosciuta,      // a line that matches no row
  riga_fuori_posto,      // a row where it is not recognised
  maiuscole,             // a keyword whose letter case keeps it from matching
  tabulazione,           // tabs
  fine_riga_isolata,     // a lone CR or LF
  spazi_finali,          // blanks at the end of a name
  dopo_fine,             // lines after "[fine]"
  fuori_ordine,          // a row behind the previous one of its kind
  tempo_alzato,          // a signal's time raised to 101
  tempo_ignorato,        // a signal's time not kept
  valore_troncato,       // a value cut to the width of its field
  velocita_arrotondata,  // a speed off the 5 km/h grid
  opzione_azzerata,      // a station flag the build clears
  sovrascritto,          // a feature a later row overwrites
  virgola_decimale,      // "-4,5": a decimal comma splits a field
  parola_quasi,          // a keyword misspelt, its row dropped
  treno_vuoto,           // a train source that gives no row
  non_cp1252,            // a document that is not Windows-1252 text
  valore_insensato,      // a value the build accepts but cannot mean
  riga_col_trattino,     // a line passed over for the "-" it holds
  numero                 // the count of ids, not an id
};

// Why a finding of a few kinds (an empty train source, a document that is
// not Windows-1252, an implausible value) was raised; kept in its `limite`
// and shown as the hole {motivo}.
enum class motivo : uint8_t {
  vuoto,             // the document is empty
  senza_generale,    // it has no "[generale]" line
  niente_dopo,       // no row follows its "[generale]" line
  utf8,              // UTF-8 text beyond ASCII
  bom_utf8,          // a UTF-8 byte-order mark
  utf16,             // UTF-16 text
  byte_nullo,        // NUL bytes: not text
  negativo,          // a length or position below 0
  fine_prima,        // an end before its start
  orario,            // no time of day
  tipo_stazione,     // a station kind the build gives no meaning
  nome_vuoto,        // an empty name
  tipo_montagna,     // a mountain type out of range
  fuori_intervallo,  // outside the values its field takes (the row table's)
  numero
};

// The words of `m`, as the hole {motivo} shows them.
std::string_view testo_motivo(int64_t m);

// One finding.
struct reperto {
  reperto_id id{};
  luogo dove;                 // the field (or row) that caused it
  luogo riga;                 // the whole row it belongs to, where there is one
  luogo origine;              // the row that first put a feature on the cell, where known
  int32_t cella = -1;         // the cell involved, -1 for none
  bool ha_posizione = false;  // `posizione` holds metres
  int32_t posizione = 0;      // metres from the start of the route
  int64_t valore = 0;         // the value read or computed, where it matters
  int64_t limite = 0;         // the limit it broke, where it matters
  int32_t simili = 0;         // more warnings like it in its document, folded into it
  int16_t tipo = -1;          // the row kind (an index of tipi_riga), where it matters
  int16_t campo = -1;         // and its field, an index of the kind's fields
  // Found by reading on past the error at this place, where the build
  // itself stops (see scenario_state::recupero).
  luogo dopo_errore;
  // The error the build's status comes from: shown before every other.
  bool primo_errore = false;
};

inline reperto nuovo_reperto(reperto_id id, luogo dove = {}) {
  reperto r;
  r.id = id;
  r.dove = dove;
  return r;
}

// Which source rows set a cell's fields, for the author's tool (its notes
// and `blame`). A place that does not exist: no row set it (a default).
struct provenienza_cella {
  luogo caratteristica;           // codice and the values that go with it
  bool completamento = false;     // a code point the build added for that row
  bool valore_abbassato = false;  // the build lowered the code point's value to 180
  luogo preavviso;                // the approach mark
  luogo montagna;                 // tipo_montagna
  luogo velocita;                 // the row whose speed the fill carried here
  luogo pendenza;                 // likewise the gradient
  luogo aderenza;                 // likewise the adhesion
};

// One line of the table of findings.
struct descrizione_reperto {
  reperto_id id;
  std::string_view nome;  // stable name: "signal-cell-taken"
  int32_t codice;         // the status code recorded, 0 for none
  severity livello;
  // What is wrong, in the author's terms. Holes filled when shown: {cella},
  // {metri} (the position, "42200 m"), {km} (", km 45.250" where the line
  // has a kilometric progressive), {valore}, {limite}, {riga} (the line of
  // the finding's place), {caratteristica} (the feature whose cell code is
  // `valore`: "signal", "code point", ...), {parola} (the keyword numbered
  // `valore`, see parole_chiave() in reader/row_kinds.h), {suggerimento} (" (did you mean
  // '...'?)" when `valore` numbers a keyword, else nothing), {sezione} (where a row
  // belongs: `limite` 1 the line source's header, 2 its body, 3 the train
  // source), {altre} (" (and N more lines)" for `valore` N > 0).
  std::string_view messaggio;
  std::string_view spiegazione;   // why, and how to mend it
  std::string_view esempio = {};  // a row that causes it
  // The note at the finding's second place (`origine`), holes as above;
  // empty: "the cell was first taken here".
  std::string_view nota = {};
  // A warning shown as an error unless -Wno-error=NAME: what builds but is
  // surely not what the author meant.
  bool errore_predefinito = false;
};

// The table row of `id`.
const descrizione_reperto& descrivi(reperto_id id);

// What stands on a cell whose `codice` is `c`, in the author's words.
std::string_view nome_caratteristica(int64_t c);

// The id whose stable name is `nome`, or reperto_id::numero.
reperto_id reperto_per_nome(std::string_view nome);
