// Test support for the reader: a scenario state whose folder holds small
// source documents written for one test.
#pragma once

#include <string>
#include <vector>

#include "reader/memorizza_dati.h"
#include "base/file_io.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"

// Lines joined as the document writer puts them on disk: CR LF after each.
inline std::string documento(const std::vector<std::string>& righe) {
  std::string out;
  for (const std::string& r : righe) out += r + "\r\n";
  return out;
}

struct sorgenti {
  temp_folder cartella;
  scenario_state st;

  explicit sorgenti(int32_t salva_linea = 1) {
    st.cartella = cartella.path();
    st.linea = "Vardelia";
    st.treno = "Corvessa";
    st.salva_linea = salva_linea;
  }
  std::string percorso_linea() const { return file_path(st, file_kind::line_source); }
  std::string percorso_treno() const { return file_path(st, file_kind::train_source); }

  void linea(const std::vector<std::string>& righe) { linea_grezza(documento(righe)); }
  void treno(const std::vector<std::string>& righe) { treno_grezzo(documento(righe)); }
  void linea_grezza(const std::string& byte) { write_bytes(percorso_linea(), byte); }
  void treno_grezzo(const std::string& byte) { write_bytes(percorso_treno(), byte); }

  // A line source of `lunghezza` metres with the given body rows, and a
  // train source with the given rows.
  void scenario(const std::vector<std::string>& corpo_linea,
                const std::vector<std::string>& righe_treno = {},
                int32_t lunghezza = 10000) {
    std::vector<std::string> l = {
        "[generale]", "lunghezza percorso,    " + std::to_string(lunghezza), "[curve]"};
    l.insert(l.end(), corpo_linea.begin(), corpo_linea.end());
    l.push_back("[fine]");
    linea(l);
    std::vector<std::string> t = {"[generale]"};
    t.insert(t.end(), righe_treno.begin(), righe_treno.end());
    t.push_back("[fine]");
    treno(t);
  }

  void leggi() { memorizza_dati(st); }
  bool resta_linea() const { return file_exists(percorso_linea()); }
  bool resta_treno() const { return file_exists(percorso_treno()); }
  const cella& c(size_t i) const { return st.percorso.at(i); }
};
