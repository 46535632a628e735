// Findings rendered once. The core reports findings as data (an id, byte
// spans, values); one pass here turns each into what every printer shows:
// the severity after -W and -Werror, the name and status code, the message
// with its holes filled, the places as lines and columns and the notes with
// their own texts. Text, JSON, SARIF, the page and its tooltips only format
// a rendered diagnostic; none works a finding out again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/findings.h"
#include "tool/diagnostics/line_table.h"
#include "tool/diagnostics/selection.h"

struct scenario_state;

// A span of a document as lines and columns. The end is the byte after the
// span (the start for an empty span).
struct rendered_place {
  documento document = documento::nessuno;
  std::string file;  // the path as the user typed it
  text_point start, end;
  uint32_t offset = 0, length = 0;
  std::string_view line_text;  // the start's line, without its end (Windows-1252)
};

struct rendered_note {
  std::string message;
  std::optional<rendered_place> place;
};

struct rendered_diagnostic {
  reperto_id id{};
  severity level = severity::note;  // as shown: after -Werror
  std::string_view name;             // "signal-cell-taken"
  int32_t code = 0;                  // the status code, 0 for none
  std::string label;    // what stands in brackets: "16", "-Wtab", "-Werror,-Wtab"
  std::string message;  // holes filled, folded findings counted
  std::optional<rendered_place> place;
  int32_t cell = -1;              // the cell involved, -1 for none
  std::optional<int64_t> metres;  // its position on the route
  std::string km;                 // its kilometric progressive, "" where none
  int32_t folded = 0;             // findings like it folded into it
  std::vector<rendered_note> notes;
};

// Renders findings against the documents they point into and the state
// (the kilometric progressive) under the rules of -W.
class diagnostic_renderer {
 public:
  diagnostic_renderer(source_index& sources, const scenario_state& st,
                      const regole_avvisi& rules)
      : sources_(sources), st_(st), rules_(rules) {}

  rendered_diagnostic render(const reperto& r) const;
  std::vector<rendered_diagnostic> render(const std::vector<reperto>& findings) const;
  // The place of a span; none when it names no document.
  std::optional<rendered_place> place(const luogo& l) const;

 private:
  source_index& sources_;
  const scenario_state& st_;
  const regole_avvisi& rules_;
};

// Every finding rendered at once, where no index is shared with other views.
std::vector<rendered_diagnostic> render_findings(const std::vector<reperto>& findings,
                                                 const documenti_mostrati& documents,
                                                 const scenario_state& st,
                                                 const regole_avvisi& rules = {});

// How many errors, warnings and notes, counting the findings folded in.
conteggio_reperti count(const std::vector<rendered_diagnostic>& diagnostics);

// "Vardelia_Corvessa-.txt:126:12": the file as typed, line and column.
std::string place_text(const rendered_place& p);
