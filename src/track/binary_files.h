// The three binary files the simulator loads. Each is the byte image of one
// member of the scenario state, with no header and no element count.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/status.h"
#include "scenario/scenario_state.h"

// Line plan file: every element of the polyline, x of all metres first, then
// y; each a 16-bit type tag (0 empty, 2 int16, 5 double) and its value. The
// file is computed from the polyline's stretches while it is written, a
// piece at a time; this is the same image whole, in memory.
std::string immagine_tracciato(const tracciato_a_tratti& tracciato);

// Replaces the line plan file at `path` with the polyline's image, written
// a piece at a time.
Status scrivi_tracciato(const std::string& path, const tracciato_a_tratti& tracciato);

// Scenario file: the 87 slots in order, 34 bytes plus the name each.
std::string immagine_elementi(const std::array<elemento, slot::numero>& elementi);

// Track file: one 15-byte record per cell. The file is written a piece at a
// time; this is the same image whole, in memory.
std::string immagine_percorso(const std::vector<cella>& percorso);

// Writes the line plan file (only when salva_linea is non-zero), then the
// scenario file, then the track file, each replaced whole. Stops at the
// first failure; files already written stay.
Status scrivi_file_binari(const scenario_state& st);
