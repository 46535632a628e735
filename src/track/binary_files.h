// The three binary files the simulator loads. Each is the byte image of one
// member of the scenario state, with no header and no element count.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "scenario/scenario_state.h"
#include "base/status.h"

// Line plan file: every element of the polyline, x of all metres first, then
// y; each a 16-bit type tag (0 empty, 2 int16, 5 double) and its value.
std::string immagine_tracciato(const tracciato_t& tracciato);

// Scenario file: the 87 slots in order, 34 bytes plus the name each.
std::string immagine_elementi(const std::array<elemento, slot::numero>& elementi);

// Track file: one 15-byte record per cell.
std::string immagine_percorso(const std::vector<cella>& percorso);

// Writes the line plan file (only when salva_linea is non-zero), then the
// scenario file, then the track file, each replaced whole. Stops at the
// first failure; files already written stay.
Status scrivi_file_binari(const scenario_state& st);
