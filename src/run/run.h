// The run sequence: one fixed order of phases, from the window to the
// binary files.
#pragma once

#include <string>

struct platform;
struct scenario_state;

// Runs the whole sequence in st.cartella and returns the exit status. A
// failure that ends the run is reported on stderr in one line.
int esegui(scenario_state& st, const platform& p);
