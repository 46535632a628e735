// Lines and columns of a document, worked out from byte offsets. A line ends
// at CR LF, a lone CR or a lone LF, as the field reader reads them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Where each line of a document starts. A line end at the very end of the
// document opens no further line.
struct tabella_righe {
  std::vector<uint32_t> inizi;
};

tabella_righe crea_tabella_righe(std::string_view testo);

// A place in a document, both 1-based. The column counts bytes.
struct punto_testo {
  uint32_t riga = 1;
  uint32_t colonna = 1;
};

// The place of byte `offset`. The end of the document (offset == size, or
// past it) is just past the last character of the last line.
punto_testo punto_di(const tabella_righe& t, std::string_view testo, uint32_t offset);

// The text of line `riga` (1-based), without its line end.
std::string_view testo_riga(const tabella_righe& t, std::string_view testo,
                            uint32_t riga);
