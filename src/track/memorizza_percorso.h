// The build: reset the records, read the two source documents, finish the
// track, stamp the reserved places and the race codes, write the binary
// files.
#pragma once

#include <cstdint>

#include "base/status.h"

struct platform;
struct scenario_state;

// `j` non-zero asks for the line plan file as well. A numbered error (1250,
// 1251) goes through `errore`; a failure that ends the run (no track read,
// a file that cannot be written) comes back as the Status.
Status memorizza_percorso(scenario_state& st, const platform& p, int32_t j);
