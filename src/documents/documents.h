// The five documents of the scenario. Each writer fills its line table and
// writes it to its file in the state's folder, replacing any older file.
#pragma once

#include <string>

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
