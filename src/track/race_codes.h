// The two race codes: check values computed from the train and line
// identifiers held in slots 86 and 85 of `elementi`.
#pragma once

#include <cstdint>
#include <string>

struct scenario_state;

// The train identifier and the line identifier, lower-cased, then the
// filler "aabbccddeeffgghhiillmmnnoo": of it the first 25 characters count.
std::string testo_di_lavoro(const scenario_state& st);

// The plain sum of the character codes of the first 25 characters of
// lower-case(train id + line id) + "aabbccddeeffgghhiillmmnnoo".
int16_t codice_gara_og(const scenario_state& st);

// The same characters weighted by their position 1..25.
int32_t codice_gara_st(const scenario_state& st);

// Windows-1252 lower case: A-Z and the accented capitals; all else unchanged.
unsigned char minuscola_1252(unsigned char c);
