// The binary files as dump and diff take them: the kind told from the
// file's name (or given), the file read whole and decoded by the core. The
// decoding itself works on bytes in memory, so it can be given any bytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/records.h"

enum class tipo_binario { percorso, elementi, tracciato };  // track, scenario, plan

// "track", "scenario", "plan": the words of --kind.
std::string_view parola_tipo(tipo_binario t);
std::optional<tipo_binario> tipo_da_parola(std::string_view parola);

// The kind a file's name gives, as the build names its files:
// "<line>_linea.dat" a line plan file, "*.sim" a scenario file, any other
// "*.dat" a track file; none for another name.
std::optional<tipo_binario> tipo_dal_nome(std::string_view percorso);

// The scenario file beside a track file: the same name ending in ".sim"
// for ".dat".
std::string scenario_accanto(const std::string& percorso_track);

// One decoded file; only the member of its kind is filled.
struct file_binario {
  tipo_binario tipo = tipo_binario::percorso;
  std::vector<cella> percorso;
  std::array<elemento, slot::numero> elementi{};
  tracciato_t tracciato;
};

// Decodes `immagine` as `tipo` into `f`, naming the file `nome` in the
// message. Returns "" or the one line that says where it is damaged:
// "'NAME' is damaged at byte N: ...".
std::string decodifica_binario(std::string_view immagine, tipo_binario tipo,
                               const std::string& nome, file_binario& f);

// Reads the file at `percorso` and decodes it as `tipo`. Returns "" or the
// one line that says what failed: the system's reason, or the offset where
// the file is damaged.
std::string leggi_binario(const std::string& percorso, tipo_binario tipo,
                          file_binario& f);

// The scenario file beside a track file, for the kilometric progressive and
// the names of stations and signs: where it was looked for, and what was
// found or why there is none.
struct scenario_vicino {
  std::string percorso;
  bool letto = false;
  std::string problema;  // why it was not read; "" when there is no such file
  file_binario file;
};

// Looks for the scenario file beside the track file `percorso_track` and
// reads it when it is there.
scenario_vicino leggi_vicino(const std::string& percorso_track);
