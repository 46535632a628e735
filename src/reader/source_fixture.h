// Test support for the reader: small source documents written for one test,
// held in memory as the reader takes them, with a record of which of them the
// reader was done with (the one-shot program deletes those). The state's
// folder is a private one, for tests that go on to write the binary files.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "reader/memorizza_dati.h"
#include "scenario/findings.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"

// Lines joined as the document writer puts them on disk: CR LF after each.
inline std::string testo_crlf(const std::vector<std::string>& righe) {
  std::string out;
  for (const std::string& r : righe) out += r + "\r\n";
  return out;
}

struct sorgenti {
  temp_folder cartella;
  scenario_state st;
  std::optional<std::string> testo_linea, testo_treno;  // nullopt: missing
  std::set<documento> consumati;
  std::vector<reperto> reperti;  // every finding
  std::vector<provenienza_cella> provenienza;

  explicit sorgenti(int32_t salva_linea = 1) {
    st.reperti = &reperti;
    st.provenienza = &provenienza;
    st.cartella = cartella.path();
    st.linea = "Vardelia";
    st.treno = "Corvessa";
    st.salva_linea = salva_linea;
  }

  void linea(const std::vector<std::string>& righe) { linea_grezza(testo_crlf(righe)); }
  void treno(const std::vector<std::string>& righe) { treno_grezzo(testo_crlf(righe)); }
  void linea_grezza(const std::string& byte) { testo_linea = byte; }
  void treno_grezzo(const std::string& byte) { testo_treno = byte; }

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

  // The documents as the reader takes them; being done with one is recorded.
  sorgenti_lettura da_leggere() {
    sorgenti_lettura s;
    const auto metti = [](documento_sorgente& d, const std::optional<std::string>& testo,
                          const char* nome) {
      d.nome = nome;
      d.stato = testo ? stato_documento::presente : stato_documento::mancante;
      if (testo) d.testo = *testo;
    };
    metti(s.linea, testo_linea, "Vardelia_linea.txt");
    metti(s.treno, testo_treno, "Vardelia_Corvessa-.txt");
    s.consumato = [this](documento d) {
      consumati.insert(d);
      return true;
    };
    return s;
  }

  void leggi() { memorizza_dati(st, da_leggere()); }
  // The document is there and the reader was not done with it.
  bool resta_linea() const { return testo_linea && !consumati.count(documento::linea); }
  bool resta_treno() const { return testo_treno && !consumati.count(documento::treno); }
  const cella& c(size_t i) const { return st.percorso.at(i); }

  // The last error among the findings, or nullptr.
  const reperto* ultimo_errore() const {
    for (auto it = reperti.rbegin(); it != reperti.rend(); ++it) {
      if (descrivi(it->id).livello == severity::error) return &*it;
    }
    return nullptr;
  }
  // The text a place covers, and the 1-based line it starts on (0 when the
  // document is not there).
  std::string testo_di(const luogo& l) const {
    const auto& t = l.doc == documento::linea ? testo_linea : testo_treno;
    if (!t || l.doc == documento::nessuno) return {};
    return t->substr(l.inizio, l.lunghezza);
  }
  int riga_di(const luogo& l) const {
    const auto& t = l.doc == documento::linea ? testo_linea : testo_treno;
    if (!t || l.doc == documento::nessuno) return 0;
    int riga = 1;
    for (size_t i = 0; i < l.inizio && i < t->size(); ++i) {
      if ((*t)[i] == '\n') ++riga;
    }
    return riga;
  }
};
