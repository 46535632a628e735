// What `scenario explain` tells, from the table of findings and the row
// table: a finding by its name (or its warning option) with the rows it
// concerns, every finding of a status code or of an error box's number, a
// kind of row by its keyword (its reference, row_reference.h) or a block by
// its name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Every finding, one a line (name, severity, number), then the rows'
// keywords.
std::string indice_spiegazioni();

// What `parola` names, explained; nullopt when it names nothing. A number is
// a status code (all its findings) or an error box's number (1250, 1251); a
// row keyword is matched letter case aside.
std::optional<std::string> spiegazione(std::string_view parola);

// The finding name or row keyword nearest `parola` (a slip of a letter or
// two), "" when none is near.
std::string nome_vicino(std::string_view parola);
