#include "tool/diagnostics/line_table.h"

#include <algorithm>

line_table::line_table(std::string_view text) : text_(text) {
  starts_.push_back(0);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (i + 1 < text.size()) starts_.push_back(static_cast<uint32_t>(i + 1));
  }
}

std::string_view line_table::line(uint32_t n) const {
  if (n == 0 || n > starts_.size()) return {};
  const std::string_view rest = text_.substr(starts_[n - 1]);
  return rest.substr(0, rest.find_first_of("\r\n"));
}

text_point line_table::point(uint32_t offset) const {
  text_point p;
  if (offset >= text_.size()) {
    p.line = static_cast<uint32_t>(starts_.size());
    p.column = static_cast<uint32_t>(line(p.line).size()) + 1;
    return p;
  }
  // The last line start at or before the offset.
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  p.line = static_cast<uint32_t>(after - starts_.begin());
  p.column = offset - starts_[p.line - 1] + 1;
  return p;
}

const line_table* source_index::lines(documento d) {
  const documento_mostrato* doc = document(d);
  if (doc == nullptr) return nullptr;
  std::optional<line_table>& t = d == documento::linea ? line_ : train_;
  if (!t) t.emplace(doc->testo);
  return &*t;
}
