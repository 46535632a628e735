// Puts the three kilometric-progressive entries of slots 81, 82 and 83 in
// descending order of their start, then adds 100 to the offset of every
// falling entry (progressiva 1).
#pragma once

struct scenario_state;

// Reads and rewrites `inizio`, `fine` and `progressiva` of slots 81 to 83
// only. An offset that cannot take the 100 leaves the slots as they were and
// records status 25.
void progressive_ordina(scenario_state& st);
