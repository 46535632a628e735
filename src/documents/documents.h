// The five documents of the scenario. Each writer fills its line table and
// writes it to its file in the state's folder, replacing any older file.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"

// The built-in scenario's identifiers.
inline const std::string identificativo_linea = "Vardelia";
inline const std::string identificativo_treno = "Corvessa";

struct scenario_state;

Status dati_linea(const scenario_state& st);          // the line source
Status dati_treno(const scenario_state& st);          // the train source
Status dati_note(const scenario_state& st);           // the scenario notes
Status dati_rallentamenti(const scenario_state& st);  // the slowdown order form
Status dati_scheda(const scenario_state& st);         // the train sheet

// The blank scenario (`scenario new --blank`): the smallest pair of source
// documents with every block in order and one row of each kind, which
// builds with no finding, and crew documents to match. The names are the
// line's and the train's as the documents hold them (Windows-1252).
struct nomi_scenario {
  std::string linea, treno;
};
std::vector<std::string> righe_linea_vuota();  // the lines of the blank line source
std::vector<std::string> righe_treno_vuoto();  // and of the blank train source
Status dati_linea_vuota(const scenario_state& st);
Status dati_treno_vuoto(const scenario_state& st);
Status dati_note_vuote(const scenario_state& st, const nomi_scenario& n);
Status dati_rallentamenti_vuoti(const scenario_state& st, const nomi_scenario& n);
Status dati_scheda_vuota(const scenario_state& st, const nomi_scenario& n);
