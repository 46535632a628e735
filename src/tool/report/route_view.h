// What the report's drawings show of a built scenario, worked out from the
// scenario state alone: the elevation from the gradients, the steps of speed
// and adhesion, the slowdowns, the mountains and every mark with its place,
// its values and the source row it comes from. The drawings only lay this
// out; nothing here knows about pixels.
//
// A cell's feature is drawn at the cell's start, index x 50 m, as the
// build's own messages place a cell. Texts are UTF-8, not yet escaped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenario/findings.h"
#include "tool/diagnostics/rendered.h"

struct scenario_state;

enum class tipo_segno : uint8_t {
  stazione,  // a station: its area da..a and its name
  fermata,   // a station's stop point
  segnale,
  abbattimento,   // a code point, from a row or added by the build
  cartello,       // an indicator sign with its text
  indicatori,     // a set of speed-limit boards
  avviso,         // a slowdown's warning board
  rallentamento,  // a slowdown: start board at da, end board at a
  cippo,          // a kilometre post of the line's progressive
  passaggio,      // where the line's progressive hands over to another entry
  reperto,        // a finding of the build, at its place
};

// The row a mark or stretch comes from: its document and line.
struct fonte_riga {
  documento doc = documento::nessuno;
  uint32_t numero = 0;  // 1-based
  bool esiste() const { return doc != documento::nessuno; }
};

struct segno {
  tipo_segno tipo{};
  int64_t da = 0;            // metres: where it stands, or where its stretch starts
  int64_t a = 0;             // where its stretch ends (= da for a point)
  std::string etichetta;     // the name or text shown beside it, if any
  std::string suggerimento;  // the tooltip: what it is and its values
  fonte_riga fonte;          // the row it comes from, where known
  bool aggiunto = false;     // a code point the build added for that row
  int32_t valore = 0;        // speed of a slowdown, km of a post, code value
  int32_t priorita = 0;      // which label gives way: the higher stays
  severity livello = severity::note;  // of a finding
};

// A stretch of constant value: a speed, a gradient, an adhesion, a mountain.
struct tratto_costante {
  int64_t da = 0;
  int64_t a = 0;
  double valore = 0;
  std::string suggerimento;  // mountains only: the steps are read out by the page
  fonte_riga fonte;          // the row that starts it, where known
};

struct punto_quota {
  int64_t metri = 0;
  double quota = 0;  // metres above the start
};

// A stretch over which one entry of the kilometric progressive applies.
struct campata_km {
  int64_t da = 0, a = 0;  // metres of route
  int64_t km_da = 0;      // the progressive at `da`, metres
  int32_t verso = 1;      // +1 rising, -1 falling
};

struct vista_percorso {
  bool ha_percorso = false;        // the documents gave a track
  int64_t fine = 0;                // the drawings run from 0 to here (the filled cells)
  int64_t lunghezza = 0;           // the route length: the end of the route
  std::vector<punto_quota> quota;  // one vertex where the gradient changes
  std::vector<tratto_costante> pendenze;  // per mille
  std::vector<tratto_costante> velocita;  // km/h, the line speed limit
  std::vector<tratto_costante> aderenza;
  std::vector<tratto_costante> montagne;  // valore: the mountain type
  std::vector<campata_km> progressive;
  std::vector<segno> segni;            // in order of position within each kind
  std::string nome_linea, nome_treno;  // the documents' own names, for the rows
};

// `sorgenti` names the rows in the tooltips; the diagnostics are marked at
// their positions.
vista_percorso crea_vista(const scenario_state& st,
                          const std::vector<rendered_diagnostic>& diagnostiche,
                          source_index& sorgenti);

// The same, the findings rendered under `regole` first.
vista_percorso crea_vista(const scenario_state& st, const std::vector<reperto>& reperti,
                          const documenti_mostrati& documenti,
                          const regole_avvisi& regole = {});

// A tooltip: `testo`, then the row it comes from on a line of its own, as
// "Vardelia_Corvessa-.txt:126", or with `breve` as "T:126" (L for the line
// source), which the report page's script expands into the file's name and
// the row's text.
std::string suggerimento(const vista_percorso& v, const std::string& testo,
                         const fonte_riga& f, bool aggiunto, bool breve);
