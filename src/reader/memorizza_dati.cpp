#include "reader/memorizza_dati.h"

#include "run/scenario_state.h"

// Placeholder until the reader exists: reads nothing.
void memorizza_dati(scenario_state&) {}
