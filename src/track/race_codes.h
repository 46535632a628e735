// The two race codes: check values computed from the train and line
// identifiers held in slots 86 and 85 of `elementi`.
#pragma once

#include <cstdint>

struct scenario_state;

// The plain sum of the character codes of the first 25 characters of
// lower-case(train id + line id) + "aabbccddeeffgghhiillmmnnoo".
int16_t codice_gara_og(scenario_state& st);

// The same characters weighted by their position 1..25.
int32_t codice_gara_st(scenario_state& st);

// Windows-1252 lower case: A-Z and the accented capitals; all else unchanged.
unsigned char minuscola_1252(unsigned char c);
