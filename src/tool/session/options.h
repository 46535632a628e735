// The tool's command line, parsed: one plain record per command.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// build and check.
struct opzioni_build {
  std::string sorgente_linea;  // the paths as typed
  std::string sorgente_treno;
  std::string cartella = ".";        // where build writes the binary files
  bool senza_tracciato = false;      // --no-plan: no line plan file
  bool forza = false;                // --force: write despite errors
  std::optional<std::string> linea;  // --line, UTF-8
  std::optional<std::string> treno;  // --train, UTF-8
  bool colore = false;               // from --color and whether stderr is a terminal
  std::vector<std::string> avvisi;   // -W values: "no-NAME", "error"
  std::string formato = "text";      // --format: text, json or sarif
  int limite_errori = 20;            // --error-limit: errors shown, 0 for all
  int limite_avvisi = 100;           // --warning-limit: warnings shown, 0 for all
};

// new.
struct opzioni_new {
  std::string cartella;
  bool forza = false;                // replace existing files
  bool vuoto = false;                // --blank: the blank pair instead of the built-in
  bool elenco = false;               // --list: what new can write
  std::optional<std::string> linea;  // --line, UTF-8
  std::optional<std::string> treno;  // --train, UTF-8
};

// report.
struct opzioni_report {
  opzioni_build lettura;  // the documents and identifiers, read as check reads them
  std::string file;       // -o: the HTML file; "" for <line>_<train>.html here
  bool svg = false;       // --svg: the two drawings as SVG files as well
};

// serve.
struct opzioni_serve {
  opzioni_build lettura;  // the documents and identifiers, read as report reads them
  int porta = 0;          // --port: 0 for a free one
};

// dump.
struct opzioni_dump {
  std::string file;
  std::string tipo;  // --kind, "" to tell it from the name
  std::string formato = "text";
  std::optional<int64_t> da, a;  // --from, --to: metres
  bool punti = false;            // --points
};

// diff.
struct opzioni_diff {
  std::string a, b;
  std::string tipo;  // --kind, "" to tell it from the names
  std::string formato = "text";
};
