// A fuzz input built as the author's tool builds documents: in memory, with
// every finding and the provenance of each cell. The input layout is
// build_check.h's (byte 0 the options, the line source up to the first NUL
// byte, the train source after it), so every kept input serves every target.
// The tool always has both documents (a missing one is a file failure before
// any reading), so bits 1-3 of byte 0 are not read here; instead
//   bit 4: -Werror (warnings shown and counted as errors);
//   bit 5: every warning switched off (-Wno-NAME for each).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "build_check.h"
#include "scenario/findings.h"
#include "tool/session/in_memory_build.h"
#include "tool/session/options.h"

namespace tool_case {

inline const std::string nome_linea = "Vardelia_linea.txt";
inline const std::string nome_treno = "Vardelia_Corvessa-.txt";

// Sets up `o` and builds `c` from the case's documents. `linea` and `treno`
// are identifiers as --line and --train give them (UTF-8); should they be
// refused (a character without a Windows-1252 form), the documents' names
// give them. Returns false only when the names' own identifiers are refused,
// which would be a fault of this harness.
inline bool costruisci(const build_check::fuzz_case& f, uint8_t opzioni, opzioni_build& o,
                       costruzione_in_memoria& c,
                       const std::optional<std::string>& linea = std::nullopt,
                       const std::optional<std::string>& treno = std::nullopt) {
  o.sorgente_linea = nome_linea;
  o.sorgente_treno = nome_treno;
  o.senza_tracciato = f.salva_linea == 0;
  if (opzioni & 0x10) o.avvisi.push_back("error");
  if (opzioni & 0x20) {
    for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i) {
      const descrizione_reperto& d = descrivi(static_cast<reperto_id>(i));
      if (d.livello == severity::warning) o.avvisi.push_back("no-" + std::string(d.nome));
    }
  }
  o.linea = linea;
  o.treno = treno;
  if (!prepara_costruzione(o, c).empty()) {
    o.linea.reset();
    o.treno.reset();
    c.regole = {};
    if (!prepara_costruzione(o, c).empty()) return false;
  }
  c.testo_linea = f.line;
  c.testo_treno = f.train;
  costruisci_testi(o, c);
  return true;
}

inline uint8_t opzioni_di(const uint8_t* data, size_t size) {
  return size > 0 ? data[0] : 0;
}

// The input split into `f` and built into `c`, as above.
inline bool costruisci(const uint8_t* data, size_t size, build_check::fuzz_case& f,
                       opzioni_build& o, costruzione_in_memoria& c) {
  f = build_check::split_input(data, size);
  return costruisci(f, opzioni_di(data, size), o, c);
}

inline const std::string senza_identificativi =
    "the documents' names give no identifiers";

}  // namespace tool_case
