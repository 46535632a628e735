// Lines and columns of a document, worked out from byte offsets. A line ends
// at CR LF, a lone CR or a lone LF, as the field reader reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "scenario/findings.h"
#include "tool/diagnostics/selection.h"

// A place in a document, both 1-based. The column counts bytes.
struct text_point {
  uint32_t line = 1;
  uint32_t column = 1;
};

// Where each line of a document starts. A line end at the very end of the
// document opens no further line. The document must outlive the table.
class line_table {
 public:
  explicit line_table(std::string_view text);

  // The place of byte `offset`. The end of the document (offset == size, or
  // past it) is just past the last character of the last line.
  text_point point(uint32_t offset) const;

  // The text of line `line` (1-based), without its line end; "" past the
  // last line.
  std::string_view line(uint32_t line) const;

  std::string_view text() const { return text_; }
  // How many lines, and where line `line` (1-based) starts.
  uint32_t lines() const { return static_cast<uint32_t>(starts_.size()); }
  uint32_t start(uint32_t line) const { return starts_[line - 1]; }

 private:
  std::string_view text_;
  std::vector<uint32_t> starts_;
};

// Both source documents as the user named them, each with its line table,
// made the first time a place in it is asked for and then shared by every
// printer and view.
class source_index {
 public:
  explicit source_index(const documenti_mostrati& documents) : documents_(documents) {}

  const documenti_mostrati& documents() const { return documents_; }
  // The document `d` names; null for documento::nessuno.
  const documento_mostrato* document(documento d) const { return documents_.di(d); }
  // Its line table; null for documento::nessuno.
  const line_table* lines(documento d);

 private:
  const documenti_mostrati& documents_;
  std::optional<line_table> line_, train_;
};
