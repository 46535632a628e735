// The document writer shared by the five documents. A document is held as a
// line table of 1001 text slots: its lines stand in slots 0, 1, 2, ... with
// no gap and the slot after the last line holds the end marker, which is
// never written. On disk every line is its bytes (Windows-1252, one byte per
// character) followed by CR LF, and the file is replaced whole.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "base/status.h"

inline constexpr size_t righe_tabella = 1001;
inline constexpr std::string_view marcatore_fine = "riferimento fine del file";

using tabella_documento = std::array<std::string, righe_tabella>;

// A run of a document's lines, in document order (one section, say).
using sezione = std::span<const char* const>;

// Puts the lines of the sections into slots 0, 1, 2, ... of `t` and the end
// marker into the slot after them; the slots after the marker are left as
// they are. Returns false, leaving `t` unchanged, when the lines and the
// marker do not fit in the table (more than 1000 lines).
bool riempi_tabella(tabella_documento& t, std::initializer_list<sezione> sezioni);

// The file image of a table: every slot before the first one that equals
// the end marker exactly, each followed by CR LF. A table without a marker
// stops at the end of the table, so slot 1000 is the last one ever read.
std::string immagine_tabella(const tabella_documento& t);

// Fills a fresh table with the sections and replaces the file at `path` with
// its image, written in one go. The status names the operation, the path
// and the system's reason when the file cannot be written.
Status scrivi_documento(const std::string& path, std::initializer_list<sezione> sezioni);
