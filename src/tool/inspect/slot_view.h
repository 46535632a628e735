// How the slots of a scenario file are shown by dump and diff: each by its
// role, with its numbers named for what they mean, as text and as JSON.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "format/records.h"
#include "tool/platform/json_output.h"

using slot_file = std::array<elemento, slot::numero>;

// "station "Roma Termini": kind=8 position_m=0 ... time_s=71990 (19:59:50)";
// "empty" for an empty slot. The line's slot says whether its check value
// and race code are those the build stamps for the identifiers.
std::string testo_slot(const slot_file& elementi, size_t s);

// The slot's fields by their names in the file (the name in UTF-8).
json json_record(const elemento& e);

// The whole slot: number, role, name, values by meaning, record.
json json_slot(const slot_file& elementi, size_t s);
