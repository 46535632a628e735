// The scenario reader: reads the line source and then the train source back
// into the scenario state and deletes them. Problems are recorded in
// codice_errore / posizione_errore, never thrown.
#pragma once

struct scenario_state;

void memorizza_dati(scenario_state& st);
