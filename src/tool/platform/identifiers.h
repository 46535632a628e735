// The line and train identifiers of a build. They name the output files and
// are stored in the scenario file. They come from the source documents'
// names, in the form the one-shot program gives them, or from the command
// line when the names have another form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct identificativi {
  std::string linea;  // UTF-8, as typed: the output files are named with it
  std::string treno;
  std::string linea_cp1252;  // as the scenario state holds it
  std::string treno_cp1252;
};

// The identifier in a line source's name "<line>_linea.txt" (any folder
// before it), or "" when the name has another form.
std::string linea_dal_nome(std::string_view percorso);

// The train identifier in "<line>_<train>-.txt" for the given line, or ""
// when the name has another form or names another line.
std::string treno_dal_nome(std::string_view percorso, std::string_view linea);

// Fills `id` from the options where given and from the names otherwise.
// Returns "" or the usage error to show.
std::string trova_identificativi(const std::string& sorgente_linea,
                                 const std::string& sorgente_treno,
                                 const std::optional<std::string>& opzione_linea,
                                 const std::optional<std::string>& opzione_treno,
                                 identificativi& id);
